#include "reading/pass/line_facts.h"

#include <cstring>

#include "reading/dates/date_names.h"
#include "reading/lines/original_headers.h"
#include "support/ascii.h"
#include "support/byte_table.h"

namespace postsift {

namespace {

// What kind of byte each is, for the first look: one table lookup and one
// OR a byte.
enum byteKind : unsigned short {
    wordByte = 1,
    digitByte = 2,
    colonByte = 4,
    dotByte = 8,
    dashByte = 16,
    signByte = 32,
    dateByte = 64,     // a figure, or a capital that may begin a day's or a month's name
    anyDashByte = 128,  // '-', an en dash or an em dash
    wByte = 256,        // without a 'w' no "www."
    atByte = 512
};

// Built once: which capitals begin day and month names is the dates' table.
const byteTable<unsigned short>& kindTable() {
    static const byteTable<unsigned short> table = [] {
        byteTable<unsigned short> made{};
        for (int c = 0; c < 256; ++c) {
            const unsigned char b = static_cast<unsigned char>(c);
            unsigned short kind = 0;
            if (c >= '0' && c <= '9') kind = wordByte | digitByte | dateByte;
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 128) kind = wordByte;
            if (c == ':') kind = colonByte;
            if (c == '.') kind = dotByte;
            if (c == '-') kind = dashByte | anyDashByte;
            if (c == 0x96 || c == 0x97) kind |= anyDashByte;
            const bool capital = (c >= 'A' && c <= 'Z') || (c >= 0xc0 && c <= 0xde && c != 0xd7);
            if (capital && mayBeginDateName(b)) kind |= dateByte;
            if (c == 'w' || c == 'W') kind |= wByte;
            if (c == '@') kind = atByte;
            made.of[c] = kind;
        }
        // The signs that programs are written with and sentences hardly hold.
        for (const char* sign = "{}[]()<>;=$\\|&^~`#"; *sign != '\0'; ++sign)
            made.of[static_cast<unsigned char>(*sign)] = signByte;
        return made;
    }();
    return table;
}

// "://", "mailto:" or "www." in [begin, end): the colons are looked at
// only in a line that holds one, the dots only in a line with a 'w'.
bool holdsLinkScheme(const char* begin, const char* end, unsigned short kinds) {
    if (kinds & colonByte) {
        for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, ':', static_cast<std::size_t>(end - p)))) != nullptr; ++p) {
            if ((end - p >= 3 && p[1] == '/' && p[2] == '/') || (p - begin >= 6 && startsWithFolded(p - 6, p, "mailto")))
                return true;
        }
    }
    if ((kinds & (dotByte | wByte)) != (dotByte | wByte)) return false;
    for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '.', static_cast<std::size_t>(end - p)))) != nullptr; ++p) {
        // Most dots end sentences: only one after a 'w' is looked at closely.
        if (p - begin >= 3 && (p[-1] | 0x20) == 'w' && startsWithFolded(p - 3, p, "www")) return true;
    }
    return false;
}

}  // namespace

lineFacts factsOf(const messageLine& line, const char* textEnd) {
    lineFacts facts;
    facts.line = line;
    facts.textEnd = textEnd;
    const byteTable<unsigned short>& byteKinds = kindTable();
    unsigned short kinds = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(line.prefixEnd);
    const auto* end = reinterpret_cast<const unsigned char*>(line.end);
    // Eight bytes a round: this walk is the one every line pays for.
    for (; end - p >= 8; p += 8) {
        kinds |= byteKinds.of[p[0]] | byteKinds.of[p[1]] | byteKinds.of[p[2]] | byteKinds.of[p[3]] |
                 byteKinds.of[p[4]] | byteKinds.of[p[5]] | byteKinds.of[p[6]] | byteKinds.of[p[7]];
    }
    if (end - p >= 4) {
        kinds |= byteKinds.of[p[0]] | byteKinds.of[p[1]] | byteKinds.of[p[2]] | byteKinds.of[p[3]];
        p += 4;
    }
    for (; p < end; ++p) kinds |= byteKinds.of[*p];
    facts.hasWord = (kinds & wordByte) != 0;
    facts.hasDigit = (kinds & digitByte) != 0;
    facts.hasColon = (kinds & colonByte) != 0;
    facts.hasCodeSign = (kinds & signByte) != 0;
    facts.hasDateStart = (kinds & dateByte) != 0;
    facts.hasDash = (kinds & anyDashByte) != 0;
    facts.hasAt = (kinds & atByte) != 0;
    facts.blank = skipBlanks(line.prefixEnd, line.end) == line.end;
    if (kinds & (colonByte | dotByte)) facts.hasLink = holdsLinkScheme(line.prefixEnd, line.end, kinds);
    if (facts.hasColon) {
        facts.keywordEnd = headerKeywordEnd(line, facts.keyword);
        facts.originalHeader = readOriginalHeader(line, facts.field, facts.value);
    }
    if (kinds & (dashByte | colonByte)) facts.separator = separatorOf(line);
    if (line.depth == 0) {
        // Initials quote with a '>', which is a sign of code to the first look.
        if (facts.hasCodeSign) facts.initialsMark = initialsQuoteMark(line, facts.initials);
        const char* first = line.begin;
        if (first < line.end && isBlank(*first)) first = skipBlanks(first, line.end);
        if (first < line.end && isAsciiPunct(static_cast<unsigned char>(*first))) facts.otherMark = quoteMarkOf(line);
    }
    return facts;
}

lineFacts fieldFactsOf(const messageLine& line, const char* textEnd) {
    lineFacts facts;
    facts.line = line;
    facts.textEnd = textEnd;
    facts.blank = skipBlanks(line.prefixEnd, line.end) == line.end;
    facts.hasColon =
        std::memchr(line.prefixEnd, ':', static_cast<std::size_t>(line.end - line.prefixEnd)) != nullptr;
    if (facts.hasColon) {
        facts.keywordEnd = headerKeywordEnd(line, facts.keyword);
        facts.originalHeader = readOriginalHeader(line, facts.field, facts.value);
    }
    return facts;
}

unsigned holdingsOf(const lineFacts& line) {
    return (line.keywordEnd != nullptr ? holdsKeyword : 0u) | (line.hasDigit ? holdsDigit : 0u) |
           (line.hasLink ? holdsLink : 0u) | (line.hasDash ? holdsDash : 0u);
}

}  // namespace postsift
