#include "reading/lines/leading_header.h"

namespace postsift {

namespace {

// A field's name, and the body scanner's keyword bytes: a table, as every
// line of the leading header is walked by them.
struct fieldByteSets {
    bool name[256];
    bool keyword[256];
};
constexpr fieldByteSets fieldBytes = [] {
    fieldByteSets sets{};
    for (int c = 0; c < 256; ++c) {
        sets.name[c] = c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\0' && c != ':';
        sets.keyword[c] = sets.name[c] && c != '*' && c != '>' && c != '_';
    }
    return sets;
}();
bool isNameByte(char c) { return fieldBytes.name[static_cast<unsigned char>(c)]; }
bool isKeywordByte(char c) { return fieldBytes.keyword[static_cast<unsigned char>(c)]; }

}  // namespace

bool isLeadingFieldLine(const messageLine& line) {
    const char* p = line.begin;
    // A decoration run ("**Note:**") or a quote begins no field.
    if (p == line.end || *p == '>' || *p == '*' || *p == '_') return false;
    if (isBlank(*p)) {
        p = skipBlanks(p, line.end);
        const char* name = p;
        while (p < line.end && isKeywordByte(*p)) ++p;
        return p > name && p < line.end && *p == ':';
    }
    while (p < line.end && isNameByte(*p)) ++p;
    if (p == line.begin || p == line.end || *p != ':') return false;
    return !(line.end - p >= 3 && p[1] == '/' && p[2] == '/');
}

const char* headerGoesOnAfterQuotedLines(const messageLine& first, const char* textEnd) {
    messageLine line = first;
    for (;;) {
        if (line.next == line.end) return nullptr;  // no line end: nothing follows
        line = lineAt(line.next, textEnd);
        if (line.begin == line.end && line.next == line.end) return nullptr;
        const char c = *line.begin;
        if (c == '>' || isBlank(c)) continue;
        return isLeadingFieldLine(line) ? line.begin : nullptr;
    }
}

}  // namespace postsift
