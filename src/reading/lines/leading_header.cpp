#include "reading/lines/leading_header.h"

namespace postsift {

namespace {

bool isNameByte(char c) { return !isBlank(c) && c != '\r' && c != '\n' && c != '\0' && c != ':'; }

// The body scanner's keyword bytes.
bool isKeywordByte(char c) { return isNameByte(c) && c != '*' && c != '>' && c != '_'; }

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
