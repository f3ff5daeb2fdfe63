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

// The bytes at which the scanner ends a word of text, or of a header line;
// asked of every byte of a word, so from a table.
struct wordBreakTable {
    bool at[256];
};
constexpr wordBreakTable breakTable(const char* breaks) {
    wordBreakTable table{};
    for (; *breaks != '\0'; ++breaks) table.at[static_cast<unsigned char>(*breaks)] = true;
    return table;
}
constexpr wordBreakTable textBreaks = breakTable("*>_");
constexpr wordBreakTable headerBreaks = breakTable("!.?<>");

const wordBreakTable& wordBreaks(bool headerWords) { return headerWords ? headerBreaks : textBreaks; }

bool breaksWord(char c, const wordBreakTable& breaks) { return breaks.at[static_cast<unsigned char>(c)]; }

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

// Whether the name bytes [p, end) are a day's or a month's name.
bool isDateNameAt(const char* p, const char* end) {
    return isDateName(reinterpret_cast<const unsigned char*>(p), static_cast<std::size_t>(end - p));
}

// Where the name bytes that begin at `p` end, at the latest at `end`.
const char* nameEndAt(const char* p, const char* end) {
    while (p < end && isNameByte(static_cast<unsigned char>(*p))) ++p;
    return p;
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
    return isCapital(first) && isDateNameAt(p, nameEndAt(p, word.end));
}

// Whether a rule's key is a short name's: without a trailing ',' or '.', a
// short day or month name.
bool isShortNameKey(const char* key, std::size_t length) {
    if (length > 0 && (key[length - 1] == ',' || key[length - 1] == '.')) --length;
    if (length < 2 || length + 1 > longestShortName) return false;
    for (std::size_t i = 0; i < length; ++i)
        if (!isNameByte(static_cast<unsigned char>(key[i]))) return false;
    return isShortDateName(reinterpret_cast<const unsigned char*>(key), length);
}

// The rule's word, when the word is a short name that a rule says in full.
const char* fullName(epostSift& filter, const char* begin, const char* end) {
    if (filter.filterList == nullptr || end - begin < 2 || static_cast<std::size_t>(end - begin) > longestShortName ||
        !isNameByte(static_cast<unsigned char>(*begin)))
        return nullptr;
    char key[longestShortName + 1];
    std::size_t keyLength = 0;
    while (begin + keyLength < end && begin[keyLength] != '\0') {
        key[keyLength] = begin[keyLength];
        ++keyLength;
    }
    key[keyLength] = '\0';
    // Most words are no short name: only a word that is one is looked up,
    // as its rule's key would be (to a NUL, as a C string reads it).
    if (!isShortNameKey(key, keyLength)) return nullptr;
    const filterEntry* entry = findException(filter.filterList, makeSearchWord(key), filter.filterListIndex);
    if (entry == nullptr || (entry->kind() != PLAIN && entry->kind() != REPLACE_WORD)) return nullptr;
    const char* value = entry->value();
    if (value == nullptr || std::strchr(value, '%') != nullptr || !isShortDateNameRule(*entry)) return nullptr;
    return value;
}

// What a line's words are read into: the text said again up to `copied`,
// begun at the first name said in full, so that text that keeps its words
// is not copied.
struct sayingSoFar {
    const char* copied;
    std::string said;
};

// Says the word's name in full when it is a short name with a rule and
// stands in a date: in a line that holds one, or beside a word of a date.
void sayWord(epostSift& filter, textWord word, textWord before, textWord next, bool dateLine,
             const wordBreakTable& breaks, sayingSoFar& saying) {
    // The word as the scanner cuts it; one too long for a short name need
    // not be cut to its end, nor one that begins as none does.
    const char* begin = word.begin;
    while (begin < word.end && breaksWord(*begin, breaks)) ++begin;
    if (word.end - begin < 2 ||
        !mayBeginShortDateName(static_cast<unsigned char>(begin[0]), static_cast<unsigned char>(begin[1])))
        return;
    const char* cut = begin;
    while (cut < word.end && !breaksWord(*cut, breaks) && static_cast<std::size_t>(cut - begin) <= longestShortName)
        ++cut;
    const char* full = fullName(filter, begin, cut);
    if (full != nullptr &&
        (dateLine || belongsToDate(next, false) || belongsToDate(before, !isMonthName(begin, cut)))) {
        saying.said.append(saying.copied, begin);
        saying.said += full;
        saying.copied = cut;
    }
}

// What the search for the words of a date asks of a byte: whether it may
// begin one (a figure, or a capital that begins a day or month name),
// whether it may end the line ('\r', '\n' and the NUL after the written
// text, so that the search needs no other bound), and whether it opens a
// word ("(13", "\"Sep").
enum : unsigned char { beginsDate = 1, endsLine = 2, opensWord = 4 };

const byteTable<unsigned char>& byteClasses() {
    static const byteTable<unsigned char> table = [] {
        byteTable<unsigned char> made{};
        for (int c = 0; c < 256; ++c) {
            const unsigned char b = static_cast<unsigned char>(c);
            if (isAsciiDigit(b) || (isCapital(b) && mayBeginDateName(b))) made.of[c] |= beginsDate;
            if (b == '\r' || b == '\n' || b == '\0') made.of[c] |= endsLine;
            if (b == '(' || b == '"' || b == '\'') made.of[c] |= opensWord;
        }
        return made;
    }();
    return table;
}

// The first byte at or after `p` where the search stops. It walks every
// byte of most lines: four bytes are looked at a round, none past a stop
// (so none past the byte that ends the line).
inline const char* nextStop(const char* p, const byteTable<unsigned char>& classes) {
    const auto stops = [&classes](const char* at) {
        return (classes.of[static_cast<unsigned char>(*at)] & (beginsDate | endsLine)) != 0;
    };
    for (;; p += 4) {
        if (stops(p)) return p;
        if (stops(p + 1)) return p + 1;
        if (stops(p + 2)) return p + 2;
        if (stops(p + 3)) return p + 3;
    }
}

// The word that ends before `at`; empty at the line's start.
inline textWord wordBefore(const char* line, const char* at) {
    const char* end = at;
    while (end > line && isBlank(end[-1])) --end;
    const char* begin = end;
    while (begin > line && !isBlank(begin[-1])) --begin;
    return {begin, end};
}

// The lengths of the short names that the two bytes at `at` may begin (as
// shortDateNameLengths gives them), for a word that goes on to `end`.
inline unsigned shortLengthsAt(const char* at, const char* end, const unsigned char* shortLengths) {
    if (end - at < 2) return 0;
    return shortLengths[foldedByte(at[0]) * 256u + foldedByte(at[1])];
}

// The lengths of the day and month names that may begin with the two bytes
// at `at` (the second may be the byte that ends the line), as
// dateNameLengths gives them: 0 where none does.
inline unsigned nameLengthsAt(const char* at, const unsigned char* nameLengths) {
    return nameLengths[foldedByte(at[0]) * 256u + foldedByte(at[1])];
}

// Whether the word may be a short name, by its first two bytes and its
// length as fullName reads its key (to a break or a NUL, without a trailing
// ',' or '.'): asked of the words beside every figure and capital, so from
// a table, without a lookup.
bool mayBeShortName(textWord word, const wordBreakTable& breaks, const unsigned char* shortLengths) {
    const char* begin = word.begin;
    while (begin < word.end && breaksWord(*begin, breaks)) ++begin;
    const unsigned lengths = shortLengthsAt(begin, word.end, shortLengths);
    if (lengths == 0) return false;
    const char* end = begin;
    while (end < word.end && !breaksWord(*end, breaks) && *end != '\0' &&
           static_cast<std::size_t>(end - begin) < longestShortName)
        ++end;
    std::size_t length = static_cast<std::size_t>(end - begin);
    if (length > 0 && (end[-1] == ',' || end[-1] == '.')) --length;
    return length >= 2 && ((lengths >> (length < 7 ? length : 7)) & 1u) != 0;
}

// The word that begins at or after `from` may be a short name: a first look
// at its two first bytes, past blanks and the bytes that break words (which
// neither blanks nor the bytes that end the line are), before it is read to
// its end.
bool nextMayBeShortName(const char* from, const char* lineEnd, const wordBreakTable& breaks,
                        const unsigned char* shortLengths) {
    const char* p = skipBlanks(from, lineEnd);
    while (breaksWord(*p, breaks)) ++p;
    if (p + 1 >= lineEnd || isBlank(p[0]) || isBlank(p[1])) return false;
    return shortLengthsAt(p, p + 2, shortLengths) != 0;
}

// A line that holds a date: every word is looked at, and said when it is
// a short name with a rule; most words of a date line are not, as the
// table of their first two bytes and lengths tells without a search.
[[gnu::noinline]] void sayEveryWord(epostSift& filter, const char* line, const char* lineEnd,
                                    const wordBreakTable& breaks, sayingSoFar& saying) {
    static const unsigned char* const shortLengths = shortDateNameLengths();
    textWord before{line, line};
    for (textWord word = wordAt(line, lineEnd); !word.empty();) {
        const textWord next = wordAt(word.end, lineEnd);
        if (mayBeShortName(word, breaks, shortLengths)) sayWord(filter, word, before, next, true, breaks, saying);
        before = word;
        word = next;
    }
}

// The short names beside a word of a date (`date`), and the word itself,
// said where they stand in the date; the words before `looked` were looked
// at already. Where the words looked at end.
[[gnu::noinline]] const char* sayBeside(epostSift& filter, const char* line, const char* lineEnd, textWord date,
                                        const char* looked, const wordBreakTable& breaks, sayingSoFar& saying) {
    static const unsigned char* const shortLengths = shortDateNameLengths();
    const textWord before = date.begin > looked ? wordBefore(line, date.begin) : textWord{looked, looked};
    // The word itself, when it is a short name before another word of a
    // date ("Sat, Apr"): after the word before it, before the word after.
    const bool sayBefore = before.begin >= looked && mayBeShortName(before, breaks, shortLengths);
    const bool sayItself = date.begin >= looked && mayBeShortName(date, breaks, shortLengths);
    const bool mayNext = nextMayBeShortName(date.end, lineEnd, breaks, shortLengths);
    if (!sayBefore && !sayItself && !mayNext) return looked;
    const textWord next = wordAt(date.end, lineEnd);
    const bool sayNext = mayNext && mayBeShortName(next, breaks, shortLengths);
    if (!sayBefore && !sayItself && !sayNext) return looked;
    if (sayBefore) sayWord(filter, before, wordBefore(line, before.begin), date, false, breaks, saying);
    if (sayItself && belongsToDate(next, false)) sayWord(filter, date, before, next, false, breaks, saying);
    if (sayNext) sayWord(filter, next, date, wordAt(next.end, lineEnd), false, breaks, saying);
    return next.end;
}

// A line that holds no date: a short name is said in full only beside a
// word of a date, and a line holds few of those. The search stops only at
// the figures and capitals that may begin one; the words beside a word
// there are looked at closely only when they may be short names, and are
// said at most once each, from left to right. The byte at `lineEnd` ends
// the line: '\r', '\n' or the text's NUL.
void sayBesideDates(epostSift& filter, const char* line, const char* lineEnd, const wordBreakTable& breaks,
                    sayingSoFar& saying) {
    static const unsigned char* const nameLengths = dateNameLengths();
    const byteTable<unsigned char>& classes = byteClasses();
    const char* looked = line;  // the words before this were looked at
    for (const char* p = line;;) {
        p = nextStop(p, classes);
        if (p >= lineEnd) return;
        // A word of a date begins where the figure or capital stands, after
        // what opens it; a stop inside a word, or at a '\r' or NUL inside
        // the line, begins none.
        const char* begin = p;
        while (begin > line && (classes.of[static_cast<unsigned char>(begin[-1])] & opensWord) != 0) --begin;
        const bool startsWord = begin == line || isBlank(begin[-1]);
        if (!startsWord) {
            // Nor does any stop after it in the word ("iPhone", a link's
            // figures): the search goes on after the word.
            p = firstBlank(p, lineEnd);
            continue;
        }
        if ((classes.of[static_cast<unsigned char>(*p)] & beginsDate) == 0) {
            ++p;
            continue;
        }
        // A figure begins a word of a date (belongsToDate). Most capitals
        // begin words of a sentence, whose first two bytes begin no day or
        // month name (none is shorter): the search goes on after the
        // capital, and a stop further in the word begins nothing; nor after
        // a name that is no day's or month's, where the search goes on.
        // Told before the words beside it are looked at.
        const char* dateEnd = p;
        if (!isAsciiDigit(static_cast<unsigned char>(*p))) {
            const unsigned lengths = nameLengthsAt(p, nameLengths);
            if (lengths == 0) {
                ++p;
                continue;
            }
            // The name's length, looked up with its first two bytes, turns
            // away most of the rest without a search.
            dateEnd = nameEndAt(p, lineEnd);
            const std::size_t length = static_cast<std::size_t>(dateEnd - p);
            if (((lengths >> (length < 7 ? length : 7)) & 1u) == 0 || !isDateNameAt(p, dateEnd)) {
                p = dateEnd;
                continue;
            }
        }
        const textWord date{begin, firstBlank(dateEnd, lineEnd)};
        p = date.end;
        looked = sayBeside(filter, line, lineEnd, date, looked, breaks, saying);
    }
}

// What was written from `from` on, in place of the text it was said from:
// for a few lines only, out of the way of the search.
[[gnu::noinline]] void putSaid(readingOutput& out, std::size_t from, sayingSoFar& saying) {
    const std::size_t length = out.length();
    const char* end = out.at(0) + length;
    saying.said.append(saying.copied, end);
    out.erase(from, length - from);
    out.put(saying.said.data(), saying.said.data() + saying.said.size());
}

}  // namespace

bool isShortDateNameRule(const filterEntry& entry) {
    const char* key = entry.key();
    return isShortNameKey(key, std::strlen(key));
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
    // The search for the words of a date stops at the NUL that ends the
    // written text; without one, every word is looked at.
    const bool everyWord = dateLine || *end != '\0';
    const wordBreakTable& breaks = wordBreaks(headerWords);
    sayingSoFar saying{text, std::string()};
    for (const char* line = text; line < end;) {
        const char* feed = static_cast<const char*>(std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
        const char* next = feed != nullptr ? feed + 1 : end;
        const char* lineEnd = feed != nullptr ? feed : end;
        if (lineEnd > line && lineEnd[-1] == '\r') --lineEnd;
        if (everyWord)
            sayEveryWord(filter, line, lineEnd, breaks, saying);
        else
            sayBesideDates(filter, line, lineEnd, breaks, saying);
        line = next;
    }
    // Every name said in full moves `copied` past it.
    if (saying.copied != text) putSaid(out, from, saying);
}

}  // namespace postsift
