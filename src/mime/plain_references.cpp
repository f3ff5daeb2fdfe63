#include "mime/plain_references.h"

#include <cstring>

#include "mime/character_writer.h"
#include "mime/html_entities.h"
#include "mime/html_shape.h"

namespace postsift::mime {

namespace {

// Longer than any name of the table ("thetasym"): a longer run is no name.
constexpr std::size_t longestName = 8;
// More digits than any character needs, leading zeros aside.
constexpr std::size_t mostDigits = 16;

bool isHexDigit(unsigned char c) { return isAsciiDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }

// The well-formed reference that begins at `at` (a '&'): its character, and
// `after` past its ';'. Reads a bounded number of bytes.
bool referenceAt(const char* at, const char* end, char32_t& character, const char*& after) {
    const char* p = at + 1;
    if (p < end && *p == '#') {
        ++p;
        int base = 10;
        if (p < end && (*p == 'x' || *p == 'X')) {
            base = 16;
            ++p;
        }
        const char* digits = p;
        while (p < end && static_cast<std::size_t>(p - digits) <= mostDigits &&
               (base == 16 ? isHexDigit(static_cast<unsigned char>(*p)) : isAsciiDigit(static_cast<unsigned char>(*p))))
            ++p;
        const std::size_t length = static_cast<std::size_t>(p - digits);
        if (length == 0 || length > mostDigits || p == end || *p != ';') return false;
        character = numericCharacter(digits, length, base);
        after = p + 1;
        return character != 0;
    }
    const char* name = p;
    while (p < end && static_cast<std::size_t>(p - name) <= longestName &&
           (isAsciiLetter(static_cast<unsigned char>(*p)) || isAsciiDigit(static_cast<unsigned char>(*p))))
        ++p;
    const std::size_t length = static_cast<std::size_t>(p - name);
    if (length == 0 || length > longestName || p == end || *p != ';') return false;
    character = namedCharacter(name, length);
    after = p + 1;
    return character != 0;
}

// An empty span may have no bytes behind it at all: memchr is not asked then.
const char* nextAmpersand(const char* at, const char* end) {
    if (at >= end) return end;
    const void* found = std::memchr(at, '&', static_cast<std::size_t>(end - at));
    return found != nullptr ? static_cast<const char*>(found) : end;
}

}  // namespace

bool readsReferences(byteSpan text) {
    for (const char* at = nextAmpersand(text.begin, text.end); at < text.end; at = nextAmpersand(at + 1, text.end)) {
        char32_t character;
        const char* after;
        if (referenceAt(at, text.end, character, after)) return !holdsHtmlTag(text);
    }
    return false;
}

void writeWithReferences(byteSpan text, textBuffer& out) {
    characterWriter writer(out, characterWriter::target::body);
    const char* written = text.begin;
    for (const char* at = nextAmpersand(text.begin, text.end); at < text.end;) {
        char32_t character;
        const char* after;
        if (!referenceAt(at, text.end, character, after)) {
            at = nextAmpersand(at + 1, text.end);
            continue;
        }
        out.put(written, static_cast<std::size_t>(at - written));
        writer.put(character);
        written = after;
        at = nextAmpersand(after, text.end);
    }
    out.put(written, static_cast<std::size_t>(text.end - written));
}

}  // namespace postsift::mime
