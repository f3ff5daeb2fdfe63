#include "reading/rules/dates_in_text.h"

#include <cstring>
#include <string>

#include "reading/dates/date_names.h"
#include "reading/dates/date_reading.h"
#include "reading/dates/date_speaking.h"
#include "reading/dates/date_words.h"
#include "reading/dates/local_date.h"
#include "reading/lines/line_text.h"
#include "reading/pass/reading_output.h"
#include "support/ascii.h"

namespace postsift {

namespace {

bool isNameByte(unsigned char c) { return isAsciiLetter(c) || (c >= 0xc0 && c != 0xd7 && c != 0xf7); }

// Whether the language says the month before the day, as its pattern of a
// date without a time shows ("%B %d" in English, "%d %B" in French).
bool saysMonthFirst(const dateWords& words) {
    if (words.withoutTime == nullptr) return false;
    const char* month = std::strstr(words.withoutTime, "%B");
    const char* day = std::strstr(words.withoutTime, "%d");
    return month != nullptr && day != nullptr && month < day;
}

// Whether a date may begin at `p`: a figure, or a day or month name.
bool mayBeginDate(const char* p, const char* end) {
    const unsigned char first = static_cast<unsigned char>(*p);
    if (isAsciiDigit(first)) return true;
    const char* nameEnd = p;
    while (nameEnd < end && isNameByte(static_cast<unsigned char>(*nameEnd))) ++nameEnd;
    const std::size_t length = static_cast<std::size_t>(nameEnd - p);
    return length > 0 && isDateName(reinterpret_cast<const unsigned char*>(p), length);
}

// Whether the date read ends where a word may: a blank, the end, or
// punctuation that no letter or figure follows ("2002-12-25." ends a
// sentence, "2002-12-25.tar" is a name).
bool endsWord(const char* p, const char* end) {
    if (p == end || isBlank(*p)) return true;
    if (std::strchr(",.;:!?)\"'", *p) == nullptr || *p == '\0') return false;
    return p + 1 == end || !isWordByte(p[1]);
}

// Every date of a line of text has a year of four digits, which no other
// digit touches: a line without such a run holds no date, and most lines
// with figures (prices, times, phone numbers) are turned away here. Any
// four bytes in a row hold one of every fourth byte, so only those are
// looked at, and the run of digits around one found.
bool holdsYear(const char* text, const char* end) {
    const auto digitAt = [text](std::size_t i) { return isAsciiDigit(static_cast<unsigned char>(text[i])); };
    const std::size_t length = static_cast<std::size_t>(end - text);
    for (std::size_t i = 3; i < length; i += 4) {
        if (!digitAt(i)) continue;
        std::size_t first = i;
        while (first > 0 && digitAt(first - 1)) --first;
        std::size_t last = i + 1;
        while (last < length && digitAt(last)) ++last;
        if (last - first == 4) return true;
        // On at the first of the bytes looked at that lies past the run.
        while (i + 4 < last) i += 4;
    }
    return false;
}

// The dates of a line that holds a year, said: its words read one by one.
// Asked of few lines, and kept out of the way of the look for a year.
[[gnu::noinline]] void sayDatesOf(readingOutput& out, std::size_t from, const char* lineEnd, const dateWords& words) {
    const std::size_t length = out.length();
    const char* text = out.at(from);
    const char* end = out.at(0) + length;
    const bool monthFirst = saysMonthFirst(words);

    std::string said;
    bool changed = false;
    const char* copied = text;
    for (textWord word = wordAt(text, lineEnd); !word.empty(); word = wordAt(word.end, lineEnd)) {
        const char* p = word.begin;
        while (p < word.end && (*p == '(' || *p == '"' || *p == '\'')) ++p;
        if (p == word.end || !mayBeginDate(p, lineEnd)) continue;
        dateTime date;
        const std::size_t used = readDateInText(p, static_cast<std::size_t>(lineEnd - p), monthFirst, date);
        if (used == 0 || !endsWord(p + used, lineEnd) || !toLocalTime(date)) continue;
        std::string spoken;
        speakDate(date, words, spoken);
        if (spoken.empty()) continue;
        said.append(copied, p);
        said += spoken;
        copied = p + used;
        changed = true;
        word.end = copied;  // the next word begins after the date
    }
    if (!changed) return;
    said.append(copied, end);
    out.erase(from, length - from);
    out.put(said.data(), said.data() + said.size());
}

}  // namespace

void sayDatesInText(readingOutput& out, std::size_t from, const dateWords& words) {
    const std::size_t length = out.length();
    if (from >= length) return;
    const char* text = out.at(from);
    const char* end = out.at(0) + length;
    const char* lineEnd = static_cast<const char*>(std::memchr(text, '\n', static_cast<std::size_t>(end - text)));
    if (lineEnd == nullptr) lineEnd = end;
    if (lineEnd > text && lineEnd[-1] == '\r') --lineEnd;
    if (holdsYear(text, lineEnd)) sayDatesOf(out, from, lineEnd, words);
}

}  // namespace postsift
