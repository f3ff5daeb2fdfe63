#include "reading/lines/leading_header.h"

#include "reading/lines/byte_set.h"

namespace postsift {

namespace {

// A field's name: a table, as every line of the leading header is walked
// by it.
constexpr byteSet notInName(" \t\r\n:");
bool isNameByte(char c) { return c != '\0' && !notInName(c); }

}  // namespace

bool isLeadingFieldLine(const messageLine& line) {
    const char* p = line.begin;
    // A decoration run ("**Note:**") or a quote begins no field.
    if (p == line.end || *p == '>' || *p == '*' || *p == '_') return false;
    if (isBlank(*p)) {
        p = skipBlanks(p, line.end);
        const char* name = p;
        while (p < line.end && isScannerKeywordByte(*p)) ++p;
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
    bool keywordBytes = true;
    for (; p < line.end && isNameByte(*p); ++p) keywordBytes = keywordBytes && isScannerKeywordByte(*p);
    if (p == line.begin || p == line.end || *p != ':') return false;
    if (line.end - p >= 3 && p[1] == '/' && p[2] == '/') return false;
    // As headerKeywordEnd reads an unquoted line that begins with its
    // keyword: a word that goes on after the colon is no keyword.
    if (keywordBytes && !(p + 1 < line.end && isScannerBodyByte(p[1]))) {
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
