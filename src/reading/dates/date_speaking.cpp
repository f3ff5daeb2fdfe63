#include "reading/dates/date_speaking.h"

#include "reading/dates/civil_days.h"
#include "reading/dates/local_date.h"

namespace postsift {

namespace {

void appendText(const char* text, std::string& spoken) {
    if (text != nullptr) spoken += text;
}

// Written from the last figure back into a buffer on the stack: a date says
// several numbers, and none needs a string of its own.
void appendNumber(int value, int width, std::string& spoken) {
    char digits[12];
    char* first = digits + sizeof digits;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        *--first = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--first = '-';
    const std::size_t count = static_cast<std::size_t>(digits + sizeof digits - first);
    if (count < static_cast<std::size_t>(width)) spoken.append(static_cast<std::size_t>(width) - count, '0');
    spoken.append(first, count);
}

const char* patternFor(const dateTime& date, const dateWords& words) {
    if (!date.hasTime) return words.withoutTime;
    if (date.minute == 0 && words.onTheHour != nullptr) return words.onTheHour;
    return words.withTime;
}

}  // namespace

void speakDate(const dateTime& date, const dateWords& words, std::string& spoken) {
    const char* pattern = patternFor(date, words);
    // Only a date that a reader could give has names to say.
    if (pattern == nullptr || date.month < 1 || date.month > 12 || date.day < 1) return;
    for (const char* at = pattern; *at != '\0'; ++at) {
        if (*at != '%' || at[1] == '\0') {
            spoken += *at;
            continue;
        }
        switch (at[1]) {
            case 'A': appendText(words.dayNames[weekdayOf(date.year, date.month, date.day)], spoken); break;
            case 'B': appendText(words.monthNames[date.month - 1], spoken); break;
            case 'd':
                if (date.day == 1 && words.firstOfMonth != nullptr)
                    spoken += words.firstOfMonth;
                else
                    appendNumber(date.day, 1, spoken);
                break;
            case 'Y': appendNumber(date.year, 1, spoken); break;
            case 'H': appendNumber(date.hour, 1, spoken); break;
            case 'I': appendNumber(date.hour % 12 == 0 ? 12 : date.hour % 12, 1, spoken); break;
            case 'M': appendNumber(date.minute, 2, spoken); break;
            case 'p': appendText(words.meridiem[date.hour < 12 ? 0 : 1], spoken); break;
            case '%': spoken += '%'; break;
            default: spoken += '%'; continue;  // the next byte is said as it is
        }
        ++at;
    }
}

bool speakDateText(const char* text, std::size_t length, const dateWords& words, std::string& spoken) {
    dateTime date;
    if (!readDate(text, length, date) || !toLocalTime(date)) return false;
    speakDate(date, words, spoken);
    return true;
}

}  // namespace postsift
