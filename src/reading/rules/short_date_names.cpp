#include "reading/rules/short_date_names.h"

#include <cstring>
#include <string>

#include "filter/epost_sift.h"
#include "filter/option_value.h"
#include "reading/dates/date_names.h"
#include "reading/lines/line_text.h"
#include "reading/pass/reading_output.h"
#include "reading/pass/rule_table.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// Longer than any short name with its ',' or '.'.
const std::size_t longestShortName = 8;

bool isNameByte(unsigned char c) { return isAsciiLetter(c) || (c >= 0xc0 && c != 0xd7 && c != 0xf7); }
bool isCapital(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 0xc0 && c <= 0xde && c != 0xd7); }

// The bytes at which the scanner ends a word of text, or of a header line.
const char* wordBreaks(bool headerWords) { return headerWords ? "!.?<>" : "*>_"; }

bool breaksWord(char c, const char* breaks) { return c != '\0' && std::strchr(breaks, c) != nullptr; }

// Whether the name is a month's ("Mar" is March as well as the French
// "mardi"): a month's name stands on either side of a number ("13 Apr
// 2003", "Sep 3"); a day's before the number of its date ("Sat, 13 Apr") or
// after a time ("7pm, Sat, ITV"), but not after a number that ends a
// sentence ("at 10. So, wie geht's?").
bool isMonthName(const char* begin, const char* end) {
    while (end > begin && (end[-1] == ',' || end[-1] == '.')) --end;
    dateName found{};
    return findMonthName(reinterpret_cast<const unsigned char*>(begin), static_cast<std::size_t>(end - begin), found);
}

// A word next to a name that makes it a date's: a number ("13", "3pm",
// "2002"), but for `beforeADay` one that ends a sentence, or a day or month
// name with a capital ("Sep", "Tuesday").
bool belongsToDate(const textWord& word, bool beforeADay) {
    const char* p = word.begin;
    while (p < word.end && (*p == '(' || *p == '"' || *p == '\'')) ++p;
    if (p == word.end) return false;
    const unsigned char first = static_cast<unsigned char>(*p);
    if (isAsciiDigit(first)) {
        const char last = word.end[-1];
        return !beforeADay || (last != '.' && last != '!' && last != '?');
    }
    if (!isCapital(first)) return false;
    const char* end = p;
    while (end < word.end && isNameByte(static_cast<unsigned char>(*end))) ++end;
    const unsigned char* name = reinterpret_cast<const unsigned char*>(p);
    const std::size_t length = static_cast<std::size_t>(end - p);
    dateName found{};
    return findDayName(name, length, found) || findMonthName(name, length, found);
}

// The rule's word, when the word is a short name that a rule says in full.
const char* fullName(epostSift& filter, const char* begin, const char* end) {
    // Most words are no short name: those that cannot be are not looked up.
    if (filter.filterList == nullptr || end - begin < 2 || static_cast<std::size_t>(end - begin) > longestShortName ||
        !isNameByte(static_cast<unsigned char>(*begin)))
        return nullptr;
    const std::string key(begin, end);
    const filterEntry* entry = findException(filter.filterList, key.c_str());
    if (entry == nullptr || (entry->kind() != PLAIN && entry->kind() != REPLACE_WORD)) return nullptr;
    const char* value = entry->value();
    if (value == nullptr || std::strchr(value, '%') != nullptr || !isShortDateNameRule(*entry)) return nullptr;
    return value;
}

// One line of written text, said again into `said`; false when nothing in
// it changes.
bool sayLine(epostSift& filter, const char* line, const char* end, bool dateLine, const char* breaks,
             std::string& said) {
    bool changed = false;
    const char* copied = line;
    textWord before{line, line};
    for (textWord word = wordAt(line, end); !word.empty(); word = wordAt(word.end, end)) {
        // The word as the scanner cuts it.
        const char* begin = word.begin;
        while (begin < word.end && breaksWord(*begin, breaks)) ++begin;
        const char* cut = begin;
        while (cut < word.end && !breaksWord(*cut, breaks)) ++cut;
        const char* full = fullName(filter, begin, cut);
        if (full != nullptr && (dateLine || belongsToDate(wordAt(word.end, end), false) ||
                                belongsToDate(before, !isMonthName(begin, cut)))) {
            said.append(copied, begin);
            said += full;
            copied = cut;
            changed = true;
        }
        before = word;
    }
    said.append(copied, end);
    return changed;
}

}  // namespace

bool isShortDateNameRule(const filterEntry& entry) {
    const char* key = entry.key();
    std::size_t length = std::strlen(key);
    if (length > 0 && (key[length - 1] == ',' || key[length - 1] == '.')) --length;
    if (length < 2 || length + 1 > longestShortName) return false;
    for (std::size_t i = 0; i < length; ++i)
        if (!isNameByte(static_cast<unsigned char>(key[i]))) return false;
    return isShortDateName(reinterpret_cast<const unsigned char*>(key), length);
}

bool ruleLeftToDates(epostSift& filter, const filterEntry& entry) {
    if (!isShortDateNameRule(entry)) return false;
    const filterEntry* option = findReservedName(filter.filterList, optionSpeakDates, filter.filterListIndex);
    return option != nullptr && valueSaysTrue(*option);
}

void sayShortDateNames(epostSift& filter, readingOutput& out, std::size_t from, bool dateLine, bool headerWords) {
    const std::size_t length = out.length();
    if (from >= length) return;
    const char* text = out.at(from);
    const char* end = out.at(0) + length;
    std::string said;
    bool changed = false;
    for (const char* line = text; line < end;) {
        const char* feed = static_cast<const char*>(std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
        const char* next = feed != nullptr ? feed + 1 : end;
        const char* lineEnd = feed != nullptr ? feed : end;
        if (lineEnd > line && lineEnd[-1] == '\r') --lineEnd;
        changed = sayLine(filter, line, lineEnd, dateLine, wordBreaks(headerWords), said) || changed;
        said.append(lineEnd, next);
        line = next;
    }
    if (!changed) return;
    out.erase(from, length - from);
    out.put(said.data(), said.data() + said.size());
}

}  // namespace postsift
