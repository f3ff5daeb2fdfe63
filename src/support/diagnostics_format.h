#pragma once
// Lets the compiler check every trace and log call against its format.
// clang knows the GNU formats as plain printf.
#if defined(__clang__)
#define POSTSIFT_PRINTF(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))
#elif defined(__GNUC__)
#define POSTSIFT_PRINTF(formatIndex, firstArgument) \
    __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#else
#define POSTSIFT_PRINTF(formatIndex, firstArgument)
#endif
