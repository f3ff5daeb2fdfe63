#pragma once
#include <cstddef>

namespace postsift {

// A date and time as a text gave it.
struct dateTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
    bool hasTime = false;
    int hour = 0;  // 0 to 23
    int minute = 0;
    int second = 0;  // 0 to 60 (a leap second)
    // The zone the text named, in minutes east of UTC ("-0500" is -300).
    // A date without one is in no known zone and is said as written.
    bool hasZone = false;
    int zoneMinutes = 0;
};

// Reads one complete date and time at the start of `text` (blanks before it
// are passed over) and returns how many bytes it took, trailing blanks not
// included; 0 when no complete date stands there, leaving `date` undefined.
// Windows-1252 bytes; nothing past `length` is read, and the work grows
// with the length of the date alone.
//
// The forms:
//   header dates     [day-name [","]] day month-name year time [zone] [(comment) ...]
//                    "Mon, 13 Jan 2003 10:00:00 +0100", "13 Jan 03 10:00 EST", "... +0100 (CET)",
//                    "Tue, 12 Nov 02 7:41:09 Pacific Standard Time"
//   C programs       [day-name] month-name day time year [zone]
//                    "Tue Sep  3 10:00:00 2002"
//   day, month       [day-name [","]] day["." | "er"] month-name year [","] [at] time
//                    "vendredi 23 janvier 2015 \xe0 16:39", "Freitag, 23. Januar 2015 16:39"
//   month, day       [day-name ","] month-name day [","] year [","] [at] time
//                    "Friday, January 23, 2015 4:39 PM", "Fri, Jan 23, 2015 at 4:39 PM"
//   numbers          [day-name [","]] 23.01.2015, 2015-01-23, 23/01/2015, 23-01-2015 [","] [at] time
// where "at" is one of "at", "\xe0" (or "a"), "um"; a time is
// hour ":" minute [":" second] followed by "AM"/"PM" ("a.m.", "p.m."), or
// "Uhr", or nothing, the minute and second of one digit or two when the
// second is there ("1:5:13"), the minute of two when not ("10:0" is cut
// short); a zone is "+hhmm"/"-hhmm" or one of GMT, UT, UTC, Z, EST, EDT,
// CST, CDT, MST, MDT, PST, PDT, or a long name that Windows writes
// (windows_zone_names.h). Names are read in English, French or German
// (date_names.h), any case, with or without a dot.
//
// Zones as faulty programs write them are read as a person reads them:
// "+-0500" is -0500 (a sign written twice), "0530" is +0530 (the sign left
// out), "GMT+1" is +0100 and "UTC-05:00" -0500 (an offset after the name).
//
// Two-digit years 00 to 49 are 2000 to 2049, 50 to 99 are 1950 to 1999;
// three digits, and four with a leading zero ("0102"), count from 1900, as
// programs that wrote the years since 1900 give them; longer years fail.
// Numbers with slashes or dashes are day first, as French and German write
// them, and month first only when the time has AM or PM or the day name is
// English; they are never swapped to make a date fit. Year first takes four
// digits.
//
// A date that does not exist (day 32, month 13, 30 February, hour 24, zone
// "+9999"), a form cut short or a day name that names another day than the
// date's own fails: a wrong day name means the text is not the date it
// seems to be, and failing lets the caller read the text as it stands.
std::size_t readDateAt(const char* text, std::size_t length, dateTime& date);

// A date in a line of text ("2002-12-25", "07/13/2001 10:00", "Tue Sep  3
// 10:00:00 2002", "Thu Aug 1 2002", "23 janvier 2015"), read as above with
// these differences: the time may be missing (the date then has none), the
// year has four digits, a comment after it is not the date's, and numbers
// with slashes or dashes are ordered by a value above 12 where one says
// which is the day, else month first when `monthFirst`, else day first.
std::size_t readDateInText(const char* text, std::size_t length, bool monthFirst, dateTime& date);

// The whole text is one date, blanks around it aside; anything left over
// fails.
bool readDate(const char* text, std::size_t length, dateTime& date);

}  // namespace postsift
