#include "reading/lines/earlier_message_end.h"

#include "support/ascii.h"

namespace postsift {

namespace {

// A header line as the scanner reads one in a section: blanks, a key name
// (a letter, then letters, digits, '-' and '_') and a colon.
bool isKeyNameLine(const messageLine& line) {
    const char* p = skipBlanks(line.begin, line.end);
    if (p == line.end || !isAsciiLetter(static_cast<unsigned char>(*p))) return false;
    while (p < line.end && (isAsciiLetter(static_cast<unsigned char>(*p)) ||
                            isAsciiDigit(static_cast<unsigned char>(*p)) || *p == '-' || *p == '_'))
        ++p;
    return p < line.end && *p == ':';
}

}  // namespace

bool earlierMessageEnd::endsBefore(const messageLine& line) {
    if (state_ == toTheEnd) return false;
    if (line.depth > 0) {
        state_ = toTheEnd;
        return true;
    }
    if (line.isBlank()) {
        if (state_ == inHeaders) state_ = afterHeaders;
        return false;
    }
    const bool folded = line.begin < line.end && (*line.begin == ' ' || *line.begin == '\t');
    if ((state_ == afterSeparator && isKeyNameLine(line)) || (state_ == inHeaders && (folded || isKeyNameLine(line))))
        state_ = inHeaders;
    else
        state_ = toTheEnd;
    return false;
}

}  // namespace postsift
