#include "platform/local_time.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <string>

namespace postsift::platform {

namespace {

// localtime_r reads the zone only once in a process; tzset reads it again,
// but looks at the zone's file with a system call each time, and a message
// may say many dates. So the zone is read again whenever TZ says something
// new, at once, and otherwise at most once a second: a zone that the
// process sets is used from its next date on, one that the system changes
// within a second.
class zoneReader {
public:
    void settle() {
        const char* zone = std::getenv("TZ");
        const auto second =
            std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count();
        const std::lock_guard<std::mutex> hold(lock_);
        const bool sameZone = zone != nullptr ? hadZone_ && seen_ == zone : !hadZone_;
        if (read_ && sameZone && second == readAt_) return;
        tzset();
        hadZone_ = zone != nullptr;
        seen_ = zone != nullptr ? zone : "";
        readAt_ = second;
        read_ = true;
    }

private:
    std::mutex lock_;
    std::string seen_;  // TZ when the zone was last read
    bool hadZone_ = false;
    bool read_ = false;
    long long readAt_ = 0;  // in seconds of the steady clock
};

zoneReader zone;

}  // namespace

bool localTimeAt(std::int64_t utcSeconds, localTime& local) {
    // A 32-bit time_t counts only 1901 to 2038.
    const std::time_t moment = static_cast<std::time_t>(utcSeconds);
    if (static_cast<std::int64_t>(moment) != utcSeconds) return false;
    zone.settle();
    std::tm parts{};
    if (localtime_r(&moment, &parts) == nullptr) return false;
    local = {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec, 0};
    return true;
}

}  // namespace postsift::platform
