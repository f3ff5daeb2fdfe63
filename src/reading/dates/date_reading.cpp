#include "reading/dates/date_reading.h"

#include "reading/dates/civil_days.h"
#include "reading/dates/date_names.h"
#include "reading/dates/windows_zone_names.h"
#include "reading/lines/line_text.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// Letters of a name: ASCII ones and the accented ones of Windows-1252
// (from 0xC0 on, but for the signs of multiplication and division).
bool isNameByte(unsigned char c) { return isAsciiLetter(c) || (c >= 0xC0 && c != 0xD7 && c != 0xF7); }

struct word {
    const unsigned char* start;
    std::size_t length;
};

// Moves forward through the text and never past its end.
class dateCursor {
public:
    dateCursor(const char* text, std::size_t length)
        : at_(reinterpret_cast<const unsigned char*>(text)), end_(at_ + length) {}

    const unsigned char* position() const { return at_; }
    void moveTo(const unsigned char* position) { at_ = position; }
    bool atEnd() const { return at_ == end_; }
    std::size_t remaining() const { return static_cast<std::size_t>(end_ - at_); }

    // The byte `ahead` bytes on, 0 past the end.
    unsigned char peek(std::size_t ahead = 0) const {
        return static_cast<std::size_t>(end_ - at_) > ahead ? at_[ahead] : 0;
    }

    // The byte here, passed; 0 at the end.
    unsigned char next() { return at_ != end_ ? *at_++ : 0; }

    bool take(unsigned char c) {
        if (at_ == end_ || *at_ != c) return false;
        ++at_;
        return true;
    }

    // Blanks, tabs and the line ends of folded header lines.
    void skipBlanks() {
        while (at_ != end_ && isAsciiSpace(*at_)) ++at_;
    }

    // A run of digits: how many, and their value while it fits (a longer
    // run is too long for any part of a date anyway).
    int digits(int& value) {
        int count = 0;
        value = 0;
        while (at_ != end_ && isAsciiDigit(*at_)) {
            if (count < 9) value = value * 10 + (*at_ - '0');
            ++count;
            ++at_;
        }
        return count;
    }

    word name() {
        const unsigned char* start = at_;
        while (at_ != end_ && isNameByte(*at_)) ++at_;
        return {start, static_cast<std::size_t>(at_ - start)};
    }

private:
    const unsigned char* at_;
    const unsigned char* end_;
};

bool isWord(const word& w, const char* lowerCase) {
    const char* text = reinterpret_cast<const char*>(w.start);
    return equalsFolded(text, text + w.length, lowerCase);
}

struct namedZone {
    const char* name;
    int minutes;
};

const namedZone namedZones[] = {
    {"gmt", 0},       {"ut", 0},        {"utc", 0},       {"z", 0},         {"est", -5 * 60}, {"edt", -4 * 60},
    {"cst", -6 * 60}, {"cdt", -5 * 60}, {"mst", -7 * 60}, {"mdt", -6 * 60}, {"pst", -8 * 60}, {"pdt", -7 * 60},
};

// What the text said, before it is checked.
struct writtenDate {
    int weekday = -1;  // -1: no day name
    bool englishDayName = false;
    int day = 0;
    int month = 0;
    int year = 0;
    int yearDigits = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int meridiem = 0;  // 0: none, 1: AM, 2: PM
    bool hasZone = false;
    int zoneMinutes = 0;
};

// The three numbers of a date written with numbers alone, in the order
// written, sorted once the time has said whether the text is English.
struct numericDate {
    int values[3];
    int counts[3];
    unsigned char separator;
};

// Where a date is read: a header's date, which has its time, or a date in
// a line of text, whose time may be missing and whose year has four digits
// (in text, "5 May 20 people" holds no year, nor "1/2/03" a date), and
// whose numbers the language orders when their values do not.
struct readingPlace {
    bool inText = false;
    bool monthFirst = false;
};

class dateReader {
public:
    dateReader(dateCursor& cursor, readingPlace place) : c_(cursor), place_(place) {}

    // mayStartWithDayName false reads a first word that names both a day
    // and a month ("mar") as the month.
    bool read(bool mayStartWithDayName, dateTime& date) {
        c_.skipBlanks();
        if (mayStartWithDayName) readDayName();
        numericDate numbers{};
        bool numeric = false;
        if (isAsciiDigit(c_.peek())) {
            int first = 0;
            const int count = c_.digits(first);
            const unsigned char next = c_.peek();
            if (next == '/' || next == '-' || (next == '.' && isAsciiDigit(c_.peek(1)))) {
                if (!readNumbers(first, count, numbers)) return false;
                numeric = true;
            } else if (!readDayFirst(first, count)) {
                return false;
            }
        } else if (!readMonthFirst()) {
            return false;
        }
        if (!timeRead_) {
            const unsigned char* afterDate = c_.position();
            if (readTimeAfterDate(numeric && numbers.counts[0] == 4)) {
                hasTime_ = true;
            } else if (place_.inText) {
                c_.moveTo(afterDate);
                const writtenDate dateAlone = d_;
                d_ = writtenDate{};
                d_.weekday = dateAlone.weekday;
                d_.englishDayName = dateAlone.englishDayName;
                d_.day = dateAlone.day;
                d_.month = dateAlone.month;
                d_.year = dateAlone.year;
                d_.yearDigits = dateAlone.yearDigits;
            } else {
                return false;
            }
        }
        if (numeric && !sortNumbers(numbers)) return false;
        return settle(date);
    }

private:
    void readDayName() {
        if (!isNameByte(c_.peek())) return;
        const unsigned char* start = c_.position();
        const word w = c_.name();
        dateName found{};
        if (!findDayName(w.start, w.length, found)) {
            c_.moveTo(start);
            return;
        }
        d_.weekday = found.number;
        d_.englishDayName = found.language == nameLanguage::english;
        c_.take('.');
        c_.skipBlanks();
        c_.take(',');
        c_.skipBlanks();
    }

    bool readMonthName() {
        const word w = c_.name();
        dateName found{};
        if (!findMonthName(w.start, w.length, found)) return false;
        d_.month = found.number;
        c_.take('.');
        return true;
    }

    bool readYear() {
        d_.yearDigits = c_.digits(d_.year);
        if (place_.inText) return d_.yearDigits == 4;
        return d_.yearDigits >= 2 && d_.yearDigits <= 4;
    }

    // "13 Jan 2003", "23. Januar 2015", "1er janvier 2015".
    bool readDayFirst(int day, int count) {
        if (count > 2) return false;
        d_.day = day;
        if (day == 1) readWord("er");
        c_.take('.');
        c_.skipBlanks();
        if (!readMonthName()) return false;
        c_.skipBlanks();
        return readYear();
    }

    // "January 23, 2015", and "Tue Sep  3 10:00:00 2002" as C programs
    // and mailbox lines write it, with the time before the year.
    bool readMonthFirst() {
        if (!readMonthName()) return false;
        c_.skipBlanks();
        if (c_.digits(d_.day) > 2 || d_.day == 0) return false;
        c_.take(',');
        c_.skipBlanks();
        if (isAsciiDigit(c_.peek()) && (c_.peek(1) == ':' || (isAsciiDigit(c_.peek(1)) && c_.peek(2) == ':'))) {
            if (!readClock()) return false;
            c_.skipBlanks();
            if (!readYear()) return false;
            timeRead_ = true;
            hasTime_ = true;
            readAfterClock();
            return true;
        }
        return readYear();
    }

    // The rest of "23.01.2015", "2015-01-23", "23/01/15" after the first
    // number: the same separator twice, no blanks.
    bool readNumbers(int first, int count, numericDate& numbers) {
        numbers.separator = c_.peek();
        numbers.values[0] = first;
        numbers.counts[0] = count;
        for (int i = 1; i < 3; ++i) {
            if (!c_.take(numbers.separator)) return false;
            numbers.counts[i] = c_.digits(numbers.values[i]);
            if (numbers.counts[i] == 0) return false;
        }
        return true;
    }

    bool sortNumbers(const numericDate& n) {
        int dayAt = 0;
        int monthAt = 1;
        int yearAt = 2;
        if (n.counts[0] == 4) {
            dayAt = 2;
            yearAt = 0;
        } else if (n.separator != '.' && (place_.inText ? monthFirstInText(n) : d_.meridiem != 0 || d_.englishDayName)) {
            dayAt = 1;
            monthAt = 0;
        }
        if (place_.inText && n.counts[yearAt] != 4) return false;
        if (n.counts[dayAt] > 2 || n.counts[monthAt] > 2) return false;
        if (n.counts[yearAt] != 2 && n.counts[yearAt] != 4) return false;
        d_.day = n.values[dayAt];
        d_.month = n.values[monthAt];
        d_.year = n.values[yearAt];
        d_.yearDigits = n.counts[yearAt];
        return true;
    }

    // In text a number above 12 says which one is the day ("07/13/2001",
    // "13/07/2001"); when neither does, the language's order decides.
    bool monthFirstInText(const numericDate& n) const {
        if (n.values[0] > 12) return false;
        if (n.values[1] > 12) return true;
        return place_.monthFirst;
    }

    // What stands between the date and the time, then the time and what
    // may follow it. Only what is recognised is taken: a word after the
    // time stays where it is, for the caller to see.
    bool readTimeAfterDate(bool isoDate) {
        if (!(isoDate && c_.take('T'))) {
            const unsigned char* afterDate = c_.position();
            c_.skipBlanks();
            c_.take(',');
            c_.skipBlanks();
            if (isNameByte(c_.peek())) {
                const word w = c_.name();
                if (!isWord(w, "at") && !isWord(w, "\xe0") && !isWord(w, "a") && !isWord(w, "um")) return false;
                c_.skipBlanks();
            }
            if (c_.position() == afterDate) return false;
        }
        if (!readClock()) return false;
        readAfterClock();
        return true;
    }

    // Programs that do not pad write "1:5:13" for 01:05:13, and never a
    // leading zero; "10:00:0", or "10:0" without seconds, is a time cut
    // short, not a time.
    bool readClock() {
        const int hourDigits = c_.digits(d_.hour);
        if (hourDigits < 1 || hourDigits > 2 || !c_.take(':')) return false;
        const int minuteDigits = c_.digits(d_.minute);
        if (minuteDigits < 1 || minuteDigits > 2) return false;
        if (!(c_.peek() == ':' && isAsciiDigit(c_.peek(1)))) return minuteDigits == 2;
        c_.take(':');
        const int secondDigits = c_.digits(d_.second);
        if (secondDigits > 2) return false;
        if (minuteDigits == 2 && secondDigits == 2) return true;
        const bool padded = (hourDigits == 2 && d_.hour < 10) || (minuteDigits == 2 && d_.minute < 10) ||
                            (secondDigits == 2 && d_.second < 10);
        return !padded;
    }

    void readAfterClock() {
        const unsigned char* mark = c_.position();
        c_.skipBlanks();
        if (readMeridiem() || readWord("uhr")) {
            mark = c_.position();
            c_.skipBlanks();
        }
        if (readZone()) {
            mark = c_.position();
            c_.skipBlanks();
        }
        // A comment in text is the writer's, not the date's.
        while (!place_.inText && readComment()) {
            mark = c_.position();
            c_.skipBlanks();
        }
        c_.moveTo(mark);
    }

    // "AM", "pm", "a.m.", "P.M.".
    bool readMeridiem() {
        const unsigned char* start = c_.position();
        const word w = c_.name();
        int which = 0;
        if (isWord(w, "am")) which = 1;
        if (isWord(w, "pm")) which = 2;
        if (which == 0 && (isWord(w, "a") || isWord(w, "p")) && c_.take('.')) {
            const word m = c_.name();
            if (isWord(m, "m")) {
                c_.take('.');
                which = isWord(w, "a") ? 1 : 2;
            }
        }
        if (which == 0 || isNameByte(c_.peek())) {
            c_.moveTo(start);
            return false;
        }
        d_.meridiem = which;
        return true;
    }

    bool readWord(const char* lowerCase) {
        const unsigned char* start = c_.position();
        if (isWord(c_.name(), lowerCase)) return true;
        c_.moveTo(start);
        return false;
    }

    // The Windows names before the short ones: "GMT Standard Time" begins
    // with one.
    bool readZone() { return readNumericZone() || readWindowsZone() || readNamedZone(); }

    // "+0100", "-0500"; "+-0500", a western zone after the plus sign that
    // its program always wrote; "0530", whose program left its sign out,
    // east as a plus sign would have it.
    bool readNumericZone() {
        const unsigned char* start = c_.position();
        int sign = 1;
        if (c_.take('-') || (c_.take('+') && c_.take('-'))) sign = -1;
        int value = 0;
        if (c_.digits(value) != 4 || !setZone(sign, value / 100, value % 100)) {
            c_.moveTo(start);
            return false;
        }
        return true;
    }

    bool readWindowsZone() {
        int minutes = 0;
        const std::size_t used = readWindowsZoneName(c_.position(), c_.remaining(), minutes);
        if (used == 0) return false;
        c_.moveTo(c_.position() + used);
        d_.hasZone = true;
        d_.zoneMinutes = minutes;
        return true;
    }

    bool readNamedZone() {
        const unsigned char* start = c_.position();
        const word w = c_.name();
        for (const namedZone& zone : namedZones) {
            if (isWord(w, zone.name)) {
                d_.hasZone = true;
                d_.zoneMinutes = zone.minutes;
                if (isWord(w, "gmt") || isWord(w, "ut") || isWord(w, "utc")) readOffsetFromUniversal();
                return true;
            }
        }
        c_.moveTo(start);
        return false;
    }

    // "GMT+1", "UTC-05:00", "GMT+0530": the offset written after the name
    // of universal time, which a person reads as the offset it says. One
    // that is no offset is left for the caller to see.
    void readOffsetFromUniversal() {
        const unsigned char sign = c_.peek();
        if ((sign != '+' && sign != '-') || !isAsciiDigit(c_.peek(1))) return;
        const unsigned char* start = c_.position();
        c_.take(sign);
        int hours = 0;
        int minutes = 0;
        const int count = c_.digits(hours);
        bool written = count <= 2 || count == 4;
        if (count == 4) {
            minutes = hours % 100;
            hours /= 100;
        } else if (written && c_.peek() == ':' && isAsciiDigit(c_.peek(1))) {
            c_.take(':');
            written = c_.digits(minutes) == 2;
        }
        if (!written || !setZone(sign == '-' ? -1 : 1, hours, minutes)) c_.moveTo(start);
    }

    bool setZone(int sign, int hours, int minutes) {
        if (hours > 23 || minutes > 59) return false;
        d_.hasZone = true;
        d_.zoneMinutes = sign * (hours * 60 + minutes);
        return true;
    }

    // "(CET)", nested parentheses and backslash escapes as in headers. One
    // that is not closed is not taken.
    bool readComment() {
        if (c_.peek() != '(') return false;
        const unsigned char* start = c_.position();
        int depth = 0;
        while (!c_.atEnd()) {
            const unsigned char b = c_.next();
            if (b == '\\') {
                c_.next();
            } else if (b == '(') {
                ++depth;
            } else if (b == ')' && --depth == 0) {
                return true;
            }
        }
        c_.moveTo(start);
        return false;
    }

    bool settle(dateTime& date) {
        if (!fullYear()) return false;
        if (d_.month < 1 || d_.month > 12) return false;
        if (d_.day < 1 || d_.day > daysInMonth(d_.year, d_.month)) return false;
        if (d_.meridiem != 0) {
            if (d_.hour < 1 || d_.hour > 12) return false;
            d_.hour = d_.hour % 12 + (d_.meridiem == 2 ? 12 : 0);
        }
        if (d_.hour > 23 || d_.minute > 59 || d_.second > 60) return false;
        if (d_.weekday >= 0 && d_.weekday != weekdayOf(d_.year, d_.month, d_.day)) return false;
        date = dateTime{};
        date.year = d_.year;
        date.month = d_.month;
        date.day = d_.day;
        date.hasTime = hasTime_;
        date.hour = d_.hour;
        date.minute = d_.minute;
        date.second = d_.second;
        date.hasZone = d_.hasZone;
        date.zoneMinutes = d_.zoneMinutes;
        return true;
    }

    // Two digits are 1950 to 2049; three count from 1900, as mail programs
    // of the last century wrote 103 for 2003, and so do four with a leading
    // zero, the same fault written four wide ("0102" for 2002).
    bool fullYear() {
        switch (d_.yearDigits) {
            case 2: d_.year += d_.year < 50 ? 2000 : 1900; return true;
            case 3: d_.year += 1900; return true;
            case 4:
                if (d_.year < 1000) d_.year += 1900;
                return true;
            default: return false;
        }
    }

    dateCursor& c_;
    readingPlace place_;
    writtenDate d_;
    bool timeRead_ = false;  // with the date, before its year
    bool hasTime_ = false;
};

std::size_t readAt(const char* text, std::size_t length, readingPlace place, dateTime& date) {
    dateCursor cursor(text, length);
    if (!dateReader(cursor, place).read(true, date)) {
        // A first word that names a day and a month alike ("Mar 23, 2015"):
        // read again, once, as the month.
        dateCursor again(text, length);
        if (!dateReader(again, place).read(false, date)) return 0;
        cursor = again;
    }
    return static_cast<std::size_t>(cursor.position() - reinterpret_cast<const unsigned char*>(text));
}

}  // namespace

std::size_t readDateAt(const char* text, std::size_t length, dateTime& date) {
    return readAt(text, length, readingPlace{}, date);
}

std::size_t readDateInText(const char* text, std::size_t length, bool monthFirst, dateTime& date) {
    readingPlace place;
    place.inText = true;
    place.monthFirst = monthFirst;
    return readAt(text, length, place, date);
}

bool readDate(const char* text, std::size_t length, dateTime& date) {
    const std::size_t used = readDateAt(text, length, date);
    if (used == 0) return false;
    dateCursor rest(text + used, length - used);
    rest.skipBlanks();
    return rest.atEnd();
}

}  // namespace postsift
