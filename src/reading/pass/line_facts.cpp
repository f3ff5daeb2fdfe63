#include "reading/pass/line_facts.h"

#include <cstring>

#include "reading/lines/original_headers.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// What kind of byte each is, for the first look: one table lookup and one
// OR a byte.
enum byteKind : unsigned char { wordByte = 1, digitByte = 2, colonByte = 4, dotByte = 8, dashByte = 16, signByte = 32 };

struct byteKindTable {
    unsigned char of[256];
};
constexpr byteKindTable byteKinds = [] {
    byteKindTable table{};
    for (int c = 0; c < 256; ++c) {
        unsigned char kind = 0;
        if (c >= '0' && c <= '9') kind = wordByte | digitByte;
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 128) kind = wordByte;
        if (c == ':') kind = colonByte;
        if (c == '.') kind = dotByte;
        if (c == '-') kind = dashByte;
        table.of[c] = kind;
    }
    // The signs that programs are written with and sentences hardly hold.
    for (const char* sign = "{}[]()<>;=$\\|&^~`#"; *sign != '\0'; ++sign)
        table.of[static_cast<unsigned char>(*sign)] = signByte;
    return table;
}();

// "://", "mailto:" or "www." in [begin, end): looked for only in a line
// that holds a colon or a dot.
bool holdsLinkScheme(const char* begin, const char* end) {
    for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, ':', static_cast<std::size_t>(end - p)))) != nullptr; ++p) {
        if ((end - p >= 3 && p[1] == '/' && p[2] == '/') || (p - begin >= 6 && startsWithFolded(p - 6, p, "mailto")))
            return true;
    }
    for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '.', static_cast<std::size_t>(end - p)))) != nullptr; ++p) {
        if (p - begin >= 3 && startsWithFolded(p - 3, p, "www")) return true;
    }
    return false;
}

}  // namespace

lineFacts factsOf(const messageLine& line, const char* textEnd) {
    lineFacts facts;
    facts.line = line;
    facts.textEnd = textEnd;
    unsigned char kinds = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(line.prefixEnd);
    const auto* end = reinterpret_cast<const unsigned char*>(line.end);
    // Four bytes a round: this walk is the one every line pays for.
    for (; end - p >= 4; p += 4) kinds |= byteKinds.of[p[0]] | byteKinds.of[p[1]] | byteKinds.of[p[2]] | byteKinds.of[p[3]];
    for (; p < end; ++p) kinds |= byteKinds.of[*p];
    facts.hasWord = (kinds & wordByte) != 0;
    facts.hasDigit = (kinds & digitByte) != 0;
    facts.hasColon = (kinds & colonByte) != 0;
    facts.hasCodeSign = (kinds & signByte) != 0;
    facts.blank = skipBlanks(line.prefixEnd, line.end) == line.end;
    if (kinds & (colonByte | dotByte)) facts.hasLink = holdsLinkScheme(line.prefixEnd, line.end);
    if (facts.hasColon) {
        facts.keywordEnd = headerKeywordEnd(line, facts.keyword);
        facts.originalHeader = readOriginalHeader(line, facts.field, facts.value);
    }
    if (kinds & (dashByte | colonByte)) facts.separator = separatorOf(line);
    if (line.depth == 0) {
        facts.initialsMark = initialsQuoteMark(line, facts.initials);
        const char* first = line.begin;
        if (first < line.end && isBlank(*first)) first = skipBlanks(first, line.end);
        if (first < line.end && isAsciiPunct(static_cast<unsigned char>(*first))) facts.otherMark = quoteMarkOf(line);
    }
    return facts;
}

}  // namespace postsift
