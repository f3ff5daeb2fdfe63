#include "reading/lines/quote_marks.h"

#include <cstring>

#include "support/ascii.h"

namespace postsift {

namespace {

const std::size_t longestMark = 4;
const std::size_t blanksBeforeMark = 2;

bool isMarkByte(char c) { return isAsciiPunct(static_cast<unsigned char>(c)); }

// Where the trimmed [from, to) is exactly `literal`, with the blanks
// around it gone.
bool trimmedIs(const char* from, const char* to, const char* literal) {
    from = skipBlanks(from, to);
    return equalsFolded(from, trimBlanks(from, to), literal);
}

bool onlyDots(const char* from, const char* to) {
    from = skipBlanks(from, to);
    to = trimBlanks(from, to);
    if (to - from == 1 && *from == '\x85') return true;  // the ellipsis of Windows-1252
    if (to - from < 3) return false;
    for (const char* p = from; p < to; ++p)
        if (*p != '.') return false;
    return true;
}

const char* skipDashesAndBlanks(const char* p, const char* end) {
    while (p < end && (*p == '-' || isBlank(*p))) ++p;
    return p;
}
const char* trimDashesAndBlanks(const char* begin, const char* end) {
    while (end > begin && (end[-1] == '-' || isBlank(end[-1]))) --end;
    return end;
}

bool saysSnip(const char* from, const char* to) {
    return trimmedIs(from, to, "snip") || trimmedIs(from, to, "snipped") || trimmedIs(from, to, "snip snip");
}

}  // namespace

quoteMark quoteMarkOf(const messageLine& line) {
    quoteMark mark;
    if (line.depth != 0) return mark;
    const char* begin = line.begin;
    while (begin < line.end && isBlank(*begin) && begin - line.begin < static_cast<std::ptrdiff_t>(blanksBeforeMark))
        ++begin;
    const char* p = begin;
    while (p < line.end && isMarkByte(*p) && static_cast<std::size_t>(p - begin) <= longestMark) ++p;
    const std::size_t length = static_cast<std::size_t>(p - begin);
    if (length == 0 || length > longestMark) return mark;
    const char first = begin[0];
    const char last = p[-1];
    const bool lone = length == 1;
    if (lone && first == '#' && begin == line.begin) {
        mark.underAttribution = true;
    } else if (std::strchr(">|):}]", last) == nullptr) {
        return mark;
    }
    for (const char* q = begin; q < p; ++q)
        if (std::strchr("([{<.*\"'`", *q) != nullptr) return mark;  // notes, ellipses, quotation marks
    if (!lone && std::strchr(":;=", first) != nullptr) return mark;  // ":-)", ";)", "=)"
    if (last == '>' && !lone && std::strchr("-=", p[-2]) != nullptr) return mark;  // "->", "=>"
    if (lone && p < line.end && !isBlank(*p)) return mark;
    const char* textEnd = trimBlanks(p, line.end);
    mark.hasText = skipBlanks(p, textEnd) < textEnd;
    if (mark.hasText && last == '|' && textEnd[-1] == '|') return mark;  // "| cell | cell |"
    mark.begin = begin;
    mark.end = p;
    return mark;
}

bool sameQuoteMark(const quoteMark& a, const quoteMark& b) {
    if (a.end == nullptr || b.end == nullptr) return false;
    const std::size_t length = static_cast<std::size_t>(a.end - a.begin);
    return length == static_cast<std::size_t>(b.end - b.begin) && std::memcmp(a.begin, b.begin, length) == 0;
}

bool isElisionMarker(const messageLine& line) {
    const char* begin = skipBlanks(line.prefixEnd, line.end);
    const char* end = trimBlanks(begin, line.end);
    if (begin == end) return false;
    static const char* const pairs[] = {"<>", "[]", "()", "{}"};
    for (const char* pair : pairs) {
        if (end - begin >= 2 && *begin == pair[0] && end[-1] == pair[1])
            return saysSnip(begin + 1, end - 1) || onlyDots(begin + 1, end - 1);
    }
    if (onlyDots(begin, end)) return true;
    // Scissors, and a snip between dashes.
    const char* from = skipDashesAndBlanks(begin, end);
    const char* to = trimDashesAndBlanks(from, end);
    return trimmedIs(from, to, "8<") || trimmedIs(from, to, ">8") || trimmedIs(from, to, "%<") ||
           trimmedIs(from, to, ">%") || (from != begin && saysSnip(from, to));
}

bool beginsAnyQuote(const messageLine& line, const char* textEnd) {
    if (line.depth > 0) return true;
    const quoteMark mark = quoteMarkOf(line);
    const char* letters = nullptr;
    const char* initials = initialsQuoteMark(line, letters);
    if ((mark.end == nullptr || mark.underAttribution) && initials == nullptr) return false;
    if (initials != nullptr && quotesAlone(line, letters, initials)) return true;
    if (line.isLast(textEnd)) return false;
    const messageLine next = lineAt(line.next, textEnd);
    if (mark.end != nullptr) {
        const quoteMark nextMark = quoteMarkOf(next);
        return sameQuoteMark(mark, nextMark) && (mark.hasText || nextMark.hasText);
    }
    const char* nextLetters = nullptr;
    const char* nextInitials = initialsQuoteMark(next, nextLetters);
    const std::size_t length = static_cast<std::size_t>(initials - letters);
    return nextInitials != nullptr && static_cast<std::size_t>(nextInitials - nextLetters) == length &&
           std::memcmp(letters, nextLetters, length) == 0;
}

}  // namespace postsift
