#include "platform/local_time.h"

#include <ctime>

namespace postsift::platform {

bool localTimeAt(std::int64_t utcSeconds, localTime& local) {
    // A 32-bit time_t counts only 1901 to 2038.
    const std::time_t moment = static_cast<std::time_t>(utcSeconds);
    if (static_cast<std::int64_t>(moment) != utcSeconds) return false;
    // localtime_r need not read TZ again; tzset does, so a zone set by the
    // process after its start is the one used.
    tzset();
    std::tm parts{};
    if (localtime_r(&moment, &parts) == nullptr) return false;
    local = {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec, 0};
    return true;
}

}  // namespace postsift::platform
