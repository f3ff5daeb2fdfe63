#include <sys/syscall.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/process.h"

namespace postsift::platform {

// The kernel's thread id: a small number per thread, as on Windows, where
// pthread_self would give an address.
unsigned long currentThreadId() { return static_cast<unsigned long>(syscall(SYS_gettid)); }

int currentProcessId() { return static_cast<int>(getpid()); }

unsigned long lastErrorCode() { return static_cast<unsigned long>(errno); }

unsigned processClockMilliseconds() {
    const std::clock_t ticks = std::clock();
    if (ticks == static_cast<std::clock_t>(-1)) return 0;
    return static_cast<unsigned>(static_cast<long long>(ticks) * 1000 / CLOCKS_PER_SEC);
}

localTime currentLocalTime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm parts{};
    const time_t seconds = now.tv_sec;
    localtime_r(&seconds, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1,   parts.tm_mday,
            parts.tm_hour,        parts.tm_min,       parts.tm_sec,
            static_cast<int>(now.tv_nsec / 1000000)};
}

std::size_t readEnvironment(const char* name, char* buffer, std::size_t capacity) {
    const char* value = std::getenv(name);
    if (value == nullptr) return 0;
    const std::size_t length = std::strlen(value);
    if (length >= capacity) return length + 1;
    std::memcpy(buffer, value, length + 1);
    return length;
}

char pathSeparator() { return '/'; }

}  // namespace postsift::platform
