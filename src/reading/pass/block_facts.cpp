#include "reading/pass/block_facts.h"

#include <cstring>

namespace postsift {

bool beginsInitialsRun(const lineFacts& line, lineWindow& lines) {
    lineFacts next;
    if (line.initialsMark == nullptr || !lines.next(line, next) || next.initialsMark == nullptr) return false;
    return next.initialsLength() == line.initialsLength() &&
           std::memcmp(next.initials, line.initials, line.initialsLength()) == 0;
}

bool beginsInitialsQuote(const lineFacts& line, lineWindow& lines) {
    if (line.initialsMark == nullptr) return false;
    return beginsInitialsRun(line, lines) || quotesAlone(line.line, line.initials, line.initialsMark);
}

bool holdsOwnWords(const lineFacts& line) {
    if (line.line.depth != 0 || line.blank || line.boundary) return false;
    const messageLine& text = line.line;
    return text.begin == text.end || isBlank(*text.begin) || !isKeyNameLine(text);
}

bool isUnderscoreLine(const lineFacts& line) {
    if (line.line.depth != 0) return false;
    const char* end = trimBlanks(line.line.begin, line.line.end);
    const char* p = line.line.begin;
    while (p < end && *p == '_') ++p;
    return p == end && end - line.line.begin >= 10;
}

bool originalHeaderFollows(const lineFacts& line, int n, lineWindow& lines) {
    lineFacts next = line;
    for (int i = 0; i < n; ++i) {
        if (!lines.next(next, next)) return false;
    }
    return next.originalHeader;
}

bool beginsHeaderBlock(const lineFacts& line, lineWindow& lines) {
    // Longer than any block a mail program writes.
    const int longestBlock = 12;
    if (!line.originalHeader) return false;
    bool sender = false;
    int others = 0;
    lineFacts next = line;
    for (int i = 0; i < longestBlock; ++i) {
        if (next.originalHeader) {
            if (next.field == originalField::sender && !sender)
                sender = true;
            else
                ++others;
        } else if (next.line.depth != 0 || !next.line.isFolded()) {
            break;
        }
        if (sender && others >= 2) return true;
        if (!lines.next(next, next)) break;
    }
    return false;
}

bool beginsEarlierMessage(const lineFacts& line, lineWindow& lines) {
    if (line.line.depth != 0) return false;
    if (line.separator != separatorKind::none) return line.separator != separatorKind::forwardEnd;
    const int first = isUnderscoreLine(line) ? 1 : 0;
    return originalHeaderFollows(line, first, lines) && originalHeaderFollows(line, first + 1, lines);
}

}  // namespace postsift
