#pragma once

namespace postsift {

// How one language says a date: plain data, defined beside each language's
// built-in table. Texts are Windows-1252.
//
// A pattern is said as written, with these codes replaced:
//   %A  the day's name, worked out from the date     %B  the month's name
//   %d  the day of the month (firstOfMonth for 1)    %Y  the year
//   %H  the hour, 0 to 23                             %I  the hour, 1 to 12
//   %M  the minutes, two digits                       %p  meridiem[0] or [1]
//   %%  a percent sign
// Any other '%' stays as it is. French "%A %d %B %Y \xe0 %H h %M" says
// "lundi 13 janvier 2003 \xe0 10 h 05"; English "%A, %B %d, %Y at %I:%M %p"
// says "Monday, January 13, 2003 at 10:05 AM".
struct dateWords;

// The words of the language this library was built for; each build's
// language folder defines it beside the choice of its built-in table.
const dateWords& buildDateWords();

struct dateWords {
    const char* dayNames[7];     // Monday first
    const char* monthNames[12];  // January first
    const char* firstOfMonth;    // day 1 ("1er"); null: said as a number
    const char* meridiem[2];     // before and after noon, for %p; null where no pattern uses it
    const char* withTime;
    const char* onTheHour;  // a time whose minutes are 0; null: withTime
    const char* withoutTime;
};

}  // namespace postsift
