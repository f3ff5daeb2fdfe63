#include "reading/lines/message_line.h"

#include <cstring>

#include "support/ascii.h"

namespace postsift {

namespace {

bool isKeyNameByte(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return isAsciiLetter(u) || isAsciiDigit(u) || c == '-' || c == '_';
}

// Just past a key name that begins at p (a letter, then key name bytes), or
// null when none begins there.
const char* keyNameEnd(const char* p, const char* end) {
    if (p == end || !isAsciiLetter(static_cast<unsigned char>(*p))) return nullptr;
    while (p < end && isKeyNameByte(*p)) ++p;
    return p;
}

const std::size_t longestInitials = 3;
// Some programs quote with the writer's first name ("Chris> ", "Stephen> "):
// a capital and small letters. Lower-case words of that length before a '>'
// are the prompts of programs ("mysql> ", "sftp> ").
const std::size_t longestName = 10;

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

bool messageLine::contentIs(const char* literal, bool trailingBlanks) const {
    const std::size_t length = std::strlen(literal);
    const char* last = trailingBlanks ? trimBlanks(content, end) : end;
    return static_cast<std::size_t>(last - content) == length && std::memcmp(content, literal, length) == 0;
}

messageLine lineAt(const char* position, const char* textEnd) {
    messageLine line;
    line.begin = position;
    const void* feed = std::memchr(position, '\n', static_cast<std::size_t>(textEnd - position));
    if (feed != nullptr) {
        line.end = static_cast<const char*>(feed);
        line.next = line.end + 1;
        if (line.end > position && line.end[-1] == '\r') --line.end;
    } else {
        line.end = textEnd;
        line.next = textEnd;
    }
    const char* p = position;
    if (p < line.end && *p == '>') {
        while (p < line.end && (*p == '>' || isBlank(*p))) {
            if (*p == '>') ++line.depth;
            ++p;
        }
    }
    line.prefixEnd = p;
    line.content = p;
    return line;
}

const char* quotePrefixEnd(const char* position, const char* textEnd) {
    const char* p = position;
    if (p < textEnd && *p == '>')
        while (p < textEnd && (*p == '>' || isBlank(*p))) ++p;
    return p;
}

const char* headerKeywordEnd(const messageLine& line, const char*& keyword) {
    const char* p = skipBlanks(line.prefixEnd, line.end);
    keyword = p;
    if (line.depth > 0) {
        // After a quote prefix only a key name counts, whatever follows it.
        p = keyNameEnd(p, line.end);
        return p != nullptr && p < line.end && *p == ':' ? p + 1 : nullptr;
    }
    const char* name = p;
    while (p < line.end && isScannerKeywordByte(*p)) ++p;
    if (p == name || p == line.end || *p != ':') return nullptr;
    ++p;
    // The longest match wins: a word that goes on after the colon is a word.
    // Blanks before the keyword leave the body word no start to compete from.
    if (name == line.begin && p < line.end && isScannerBodyByte(*p)) return nullptr;
    return p;
}

bool isKeyNameLine(const messageLine& line) {
    const char* p = keyNameEnd(skipBlanks(line.begin, line.end), line.end);
    return p != nullptr && p < line.end && *p == ':';
}

const char* initialsQuoteMark(const messageLine& line, const char*& letters) {
    if (line.depth != 0) return nullptr;
    letters = skipBlanks(line.begin, line.end);
    const char* p = letters;
    while (p < line.end && isAsciiLetter(static_cast<unsigned char>(*p))) ++p;
    const std::size_t count = static_cast<std::size_t>(p - letters);
    if (count == 0 || count > longestName || p == line.end || *p != '>') return nullptr;
    if (count > longestInitials && !isCapital(*letters)) return nullptr;
    return p;
}

bool quotesAlone(const messageLine& line, const char* letters, const char* mark) {
    if (mark - letters > static_cast<std::ptrdiff_t>(longestInitials) || mark + 1 >= line.end || !isBlank(mark[1]))
        return false;
    for (const char* p = letters; p < mark; ++p)
        if (!isCapital(*p)) return false;
    return true;
}

}  // namespace postsift
