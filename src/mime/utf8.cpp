#include "mime/utf8.h"

#include <cstdint>
#include <cstring>

namespace postsift::mime {

namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

bool readUtf8(const char*& at, const char* end, char32_t& character) {
    const auto lead = static_cast<unsigned char>(*at);
    std::size_t length;
    char32_t code;
    char32_t minimum;
    if (lead < 0x80) {
        character = lead;
        ++at;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        ++at;
        return false;
    }
    if (static_cast<std::size_t>(end - at) < length) {
        ++at;
        return false;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(at[i]);
        if (!isContinuation(next)) {
            ++at;
            return false;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++at;
        return false;
    }
    at += length;
    character = code;
    return true;
}

// Most mail is ASCII from end to end, and this is the whole cost of
// finding that out.
const char* firstHighByte(const char* at, const char* end) {
    constexpr std::uint64_t highBits = 0x8080808080808080ull;
    while (end - at >= 8) {
        std::uint64_t eight;
        std::memcpy(&eight, at, sizeof eight);
        if ((eight & highBits) != 0) break;
        at += 8;
    }
    while (at < end && static_cast<unsigned char>(*at) < 0x80) ++at;
    return at;
}

bool hasHighBytes(byteSpan bytes) { return firstHighByte(bytes.begin, bytes.end) != bytes.end; }

bool isUtf8BeyondAscii(byteSpan bytes) {
    bool beyond = false;
    const char* at = bytes.begin;
    while (at < bytes.end) {
        at = firstHighByte(at, bytes.end);
        if (at == bytes.end) break;
        char32_t ignored;
        if (!readUtf8(at, bytes.end, ignored)) return false;
        beyond = true;
    }
    return beyond;
}

}  // namespace postsift::mime
