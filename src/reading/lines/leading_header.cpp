#include "reading/lines/leading_header.h"

namespace postsift {

namespace {

// A field's name, and the body scanner's keyword bytes: a table, as every
// line of the leading header is walked by them.
enum fieldByte : unsigned char { nameByte = 1, keywordByte = 2 };
struct fieldByteTable {
    unsigned char of[256];
};
constexpr fieldByteTable fieldBytes = [] {
    fieldByteTable table{};
    for (int c = 0; c < 256; ++c) {
        const bool name = c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\0' && c != ':';
        const bool keyword = name && c != '*' && c != '>' && c != '_';
        table.of[c] = static_cast<unsigned char>((name ? nameByte : 0) | (keyword ? keywordByte : 0));
    }
    return table;
}();
bool isNameByte(char c) { return (fieldBytes.of[static_cast<unsigned char>(c)] & nameByte) != 0; }
bool isKeywordByte(char c) { return (fieldBytes.of[static_cast<unsigned char>(c)] & keywordByte) != 0; }
// What the body scanner reads as a word's byte after a keyword's colon.
bool isBodyByte(char c) { return isKeywordByte(c) || c == ':'; }

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

bool isLeadingFieldLine(const messageLine& line, const char*& keyword, const char*& keywordEnd) {
    keyword = keywordEnd = nullptr;
    const char* p = line.begin;
    if (p == line.end || isBlank(*p)) {
        if (!isLeadingFieldLine(line)) return false;
        keywordEnd = headerKeywordEnd(line, keyword);
        return true;
    }
    if (*p == '>' || *p == '*' || *p == '_') return false;
    // The name's bytes, and whether all of them are a keyword's too.
    unsigned char all = nameByte | keywordByte;
    for (unsigned char kind; p < line.end && ((kind = fieldBytes.of[static_cast<unsigned char>(*p)]) & nameByte) != 0; ++p)
        all &= kind;
    if (p == line.begin || p == line.end || *p != ':') return false;
    if (line.end - p >= 3 && p[1] == '/' && p[2] == '/') return false;
    // As headerKeywordEnd reads an unquoted line that begins with its
    // keyword: a word that goes on after the colon is no keyword.
    if ((all & keywordByte) != 0 && !(p + 1 < line.end && isBodyByte(p[1]))) {
        keyword = line.begin;
        keywordEnd = p + 1;
    }
    return true;
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
