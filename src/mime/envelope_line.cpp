#include "mime/envelope_line.h"

#include <cstddef>
#include <cstring>

#include "support/ascii.h"

namespace postsift::mime {

namespace {

bool isBlankByte(char c) { return c == ' ' || c == '\t'; }

const char* skipBlanks(const char* p, const char* end) {
    while (p < end && isBlankByte(*p)) ++p;
    return p;
}

// One of the three-letter names, as the mailbox writes them, then a blank.
template <std::size_t count>
bool namedWord(const char*& p, const char* end, const char* const (&names)[count]) {
    if (end - p < 4 || !isBlankByte(p[3])) return false;
    for (const char* name : names) {
        if (std::memcmp(p, name, 3) == 0) {
            p = skipBlanks(p + 3, end);
            return true;
        }
    }
    return false;
}

bool isDigitByte(const char* p, const char* end) { return p < end && isAsciiDigit(static_cast<unsigned char>(*p)); }

// The delivery date: "Tue Mar  4 09:15:00 2003", its weekday, month, day
// and the hour and minute of its time are enough to tell it from text.
bool beginsWithDate(const char* p, const char* end) {
    static const char* const days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (!namedWord(p, end, days) || !namedWord(p, end, months)) return false;
    if (!isDigitByte(p, end)) return false;
    while (isDigitByte(p, end)) ++p;
    p = skipBlanks(p, end);
    if (!isDigitByte(p, end)) return false;
    while (isDigitByte(p, end)) ++p;
    return p < end && *p == ':' && isDigitByte(p + 1, end) && isDigitByte(p + 2, end);
}

}  // namespace

const char* afterEnvelopeLine(const char* text, const char* end) {
    const char* p = text;
    if (p < end && *p == '>') ++p;
    if (end - p < 5 || std::memcmp(p, "From ", 5) != 0) return text;
    const void* feed = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    const char* lineEnd = feed != nullptr ? static_cast<const char*>(feed) : end;
    p = skipBlanks(p + 5, lineEnd);
    const char* sender = p;
    while (p < lineEnd && !isBlankByte(*p) && *p != '\r') ++p;
    if (p == sender || p == lineEnd || !isBlankByte(*p)) return text;
    if (!beginsWithDate(skipBlanks(p, lineEnd), lineEnd)) return text;
    return feed != nullptr ? lineEnd + 1 : end;
}

}  // namespace postsift::mime
