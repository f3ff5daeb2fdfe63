#include "reading/dates/local_date.h"

#include <cstdint>

#include "platform/local_time.h"
#include "reading/dates/civil_days.h"

namespace postsift {

bool toLocalTime(dateTime& date) {
    if (!date.hasZone || !date.hasTime) return true;
    const std::int64_t utcSeconds = daysFromCivil(date.year, date.month, date.day) * 86400 +
                                    (date.hour * 60 + date.minute - date.zoneMinutes) * std::int64_t{60} + date.second;
    platform::localTime local{};
    if (!platform::localTimeAt(utcSeconds, local)) return false;
    date.year = local.year;
    date.month = local.month;
    date.day = local.day;
    date.hour = local.hour;
    date.minute = local.minute;
    date.second = local.second;
    date.hasZone = false;
    date.zoneMinutes = 0;
    return true;
}

}  // namespace postsift
