// A library that has a factory but none of the filter functions: a host
// must refuse it rather than call through a missing export.
#if defined(_WIN32)
#define POSTSIFT_API
#else
#define POSTSIFT_API __attribute__((visibility("default")))
#endif
#include "postsift.h"

extern "C" int32_t POSTSIFT_CDECL getObject(int32_t, void**) { return 0; }
