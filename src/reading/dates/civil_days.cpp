#include "reading/dates/civil_days.h"

namespace postsift {

// Counts in eras of 400 years (146097 days), which repeat exactly; the year
// starts in March so that the leap day ends it.
std::int64_t daysFromCivil(int year, int month, int day) {
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int daysInMonth(int year, int month) {
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month != 2) return lengths[month - 1];
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return leap ? 29 : 28;
}

int weekdayOf(int year, int month, int day) {
    // 1970-01-01 was a Thursday (3).
    const std::int64_t shifted = (daysFromCivil(year, month, day) + 3) % 7;
    return static_cast<int>(shifted < 0 ? shifted + 7 : shifted);
}

}  // namespace postsift
