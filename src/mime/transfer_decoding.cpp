#include "mime/transfer_decoding.h"

namespace postsift::mime {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

namespace {

// After an '=' at `at`: the end of a soft line break (blanks, then CR LF or
// LF, or the end of the text), or null when there is none.
const char* softBreakEnd(const char* at, const char* end) {
    const char* next = at + 1;
    while (next < end && isBlank(*next)) ++next;
    if (next == end) return next;
    if (*next == '\n') return next + 1;
    if (*next == '\r' && next + 1 < end && next[1] == '\n') return next + 2;
    return nullptr;
}

}  // namespace

void decodeQuotedPrintable(byteSpan encoded, textBuffer& out) {
    const char* at = encoded.begin;
    const char* const end = encoded.end;
    while (at < end) {
        const char* equals = at;
        while (equals < end && *equals != '=') ++equals;
        out.put(at, static_cast<std::size_t>(equals - at));
        if (equals == end) break;
        if (const char* joined = softBreakEnd(equals, end)) {
            at = joined;
            continue;
        }
        const int high = equals + 1 < end ? hexValue(equals[1]) : -1;
        const int low = equals + 2 < end ? hexValue(equals[2]) : -1;
        if (high >= 0 && low >= 0) {
            out.put(static_cast<char>(high * 16 + low));
            at = equals + 3;
        } else {
            out.put('=');
            at = equals + 1;
        }
    }
}

int base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

void decodeBase64(byteSpan encoded, textBuffer& out) {
    unsigned long group = 0;
    int count = 0;
    // Two or three characters of a group give one or two bytes; one gives none.
    auto flush = [&]() {
        if (count >= 2) out.put(static_cast<char>((group >> (6 * count - 8)) & 0xFF));
        if (count >= 3) out.put(static_cast<char>((group >> (6 * count - 16)) & 0xFF));
        group = 0;
        count = 0;
    };
    for (const char* at = encoded.begin; at < encoded.end; ++at) {
        if (*at == '=') {
            flush();
            continue;
        }
        const int value = base64Value(*at);
        if (value < 0) continue;
        group = (group << 6) | static_cast<unsigned long>(value);
        if (++count == 4) {
            out.put(static_cast<char>((group >> 16) & 0xFF));
            out.put(static_cast<char>((group >> 8) & 0xFF));
            out.put(static_cast<char>(group & 0xFF));
            group = 0;
            count = 0;
        }
    }
    flush();
}

}  // namespace postsift::mime
