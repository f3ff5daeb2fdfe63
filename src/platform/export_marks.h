#pragma once
// How the library marks its exported functions. On Windows the
// module-definition file names the exports, their ordinals and the second
// name of _zelSetFilter; elsewhere the functions are marked visible and the
// second name is an alias of the first.
#if defined(_WIN32)
#define POSTSIFT_API
#define POSTSIFT_SAME_FUNCTION_AS(target)
#else
#define POSTSIFT_API __attribute__((visibility("default")))
#define POSTSIFT_SAME_FUNCTION_AS(target) __attribute__((alias(#target), visibility("default")))
#endif
