#include <windows.h>

#include <ctime>

#include "platform/process.h"

namespace postsift::platform {

unsigned long currentThreadId() { return GetCurrentThreadId(); }

int currentProcessId() { return static_cast<int>(GetCurrentProcessId()); }

unsigned long lastErrorCode() { return GetLastError(); }

unsigned processClockMilliseconds() {
    const std::clock_t ticks = std::clock();
    if (ticks == static_cast<std::clock_t>(-1)) return 0;
    return static_cast<unsigned>(static_cast<long long>(ticks) * 1000 / CLOCKS_PER_SEC);
}

localTime currentLocalTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

std::size_t readEnvironment(const char* name, char* buffer, std::size_t capacity) {
    // The call answers in DWORDs; a larger buffer is never needed here.
    const DWORD size = capacity > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(capacity);
    return GetEnvironmentVariableA(name, buffer, size);
}

char pathSeparator() { return '\\'; }

}  // namespace postsift::platform
