#pragma once
// Lets the compiler check every trace and log call against its format.
#if defined(__GNUC__)
#define POSTSIFT_PRINTF(formatIndex, firstArgument) \
    __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#else
#define POSTSIFT_PRINTF(formatIndex, firstArgument)
#endif
