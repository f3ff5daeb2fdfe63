#pragma once
#include <cstdint>

namespace postsift {

// Calendar arithmetic on the proleptic Gregorian calendar, in 64 bits on
// every build: a 32-bit long or time_t would stop in 2038.

// Days from 1970-01-01 to the given date (negative before it).
std::int64_t daysFromCivil(int year, int month, int day);

// 28 to 31; 0 for a month outside 1 to 12.
int daysInMonth(int year, int month);

// 0 for Monday to 6 for Sunday.
int weekdayOf(int year, int month, int day);

}  // namespace postsift
