#pragma once
#include <cstdint>

#include "platform/process.h"

namespace postsift::platform {

// The computer's local time at a moment given in seconds since
// 1970-01-01 00:00 UTC, daylight saving of that date included (the C
// library's zone on posix, which honours TZ; the Windows time zone on
// Windows). The count is 64 bits on every build, so a 32-bit program reads
// dates past 2038 alike. False when the system cannot say it: a moment
// outside what its clock counts (before 1601 on Windows, outside time_t on
// posix). The milliseconds are 0.
bool localTimeAt(std::int64_t utcSeconds, localTime& local);

}  // namespace postsift::platform
