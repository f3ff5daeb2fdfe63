#include "platform/local_time.h"

#include <windows.h>

namespace postsift::platform {

namespace {

// FILETIME counts 100-nanosecond ticks from 1601-01-01 00:00 UTC.
constexpr std::int64_t secondsFrom1601To1970 = 11644473600LL;
constexpr std::int64_t ticksPerSecond = 10000000LL;

}  // namespace

bool localTimeAt(std::int64_t utcSeconds, localTime& local) {
    if (utcSeconds < -secondsFrom1601To1970) return false;
    const std::int64_t since1601 = utcSeconds + secondsFrom1601To1970;
    if (since1601 > INT64_MAX / ticksPerSecond) return false;
    ULARGE_INTEGER ticks;
    ticks.QuadPart = static_cast<ULONGLONG>(since1601 * ticksPerSecond);
    FILETIME file;
    file.dwLowDateTime = ticks.LowPart;
    file.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME utc;
    SYSTEMTIME inZone;
    // The zone's rules for that date, not today's offset (as
    // FileTimeToLocalFileTime would give): a summer date is said in summer
    // time even in winter.
    if (!FileTimeToSystemTime(&file, &utc)) return false;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &inZone)) return false;
    local = {inZone.wYear, inZone.wMonth, inZone.wDay, inZone.wHour, inZone.wMinute, inZone.wSecond, 0};
    return true;
}

}  // namespace postsift::platform
