#include "platform/charset.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <iconv.h>

#include "platform/charset_names.h"

namespace postsift::platform {

namespace {

iconv_t descriptorOf(void* handle) { return static_cast<iconv_t>(handle); }

// Little-endian 32-bit units whatever the machine: assembled by hand below.
constexpr char targetCode[] = "UTF-32LE";

// What some converters write for a sequence they cannot read: left out.
constexpr char32_t replacementCharacter = 0xFFFD;

}  // namespace

charsetDecoder::charsetDecoder(const char* name, std::size_t nameLength) {
    if (name == nullptr || nameLength == 0) return;
    // The shared table first, so that every name Windows reads is read here
    // too, and as the same set; iconv's own names after it.
    if (const charsetName* entry = findCharsetName(name, nameLength)) {
        if (entry->iconvName == nullptr) return;
        name = entry->iconvName;
        nameLength = std::strlen(name);
    }
    char* copy = static_cast<char*>(std::malloc(nameLength + 1));
    if (copy == nullptr) return;
    std::memcpy(copy, name, nameLength);
    copy[nameLength] = '\0';
    const iconv_t descriptor = iconv_open(targetCode, copy);
    std::free(copy);
    if (descriptor == reinterpret_cast<iconv_t>(-1)) return;
    handle_ = descriptor;
    open_ = true;
}

charsetDecoder::~charsetDecoder() {
    if (open_) iconv_close(descriptorOf(handle_));
}

std::size_t charsetDecoder::decode(const char* in, std::size_t inLength, bool last, char32_t* out,
                                   std::size_t room, std::size_t& consumed) {
    consumed = 0;
    if (!open_ || room == 0) return 0;
    // iconv writes bytes; the units are put together afterwards, so that
    // neither alignment nor byte order of the machine matters.
    const std::size_t capacity = room * 4;
    unsigned char* units = reinterpret_cast<unsigned char*>(out);
    char* source = const_cast<char*>(in);
    std::size_t sourceLeft = inLength;
    char* target = reinterpret_cast<char*>(units);
    std::size_t targetLeft = capacity;
    while (sourceLeft > 0) {
        const std::size_t result = iconv(descriptorOf(handle_), &source, &sourceLeft, &target, &targetLeft);
        if (result != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) break;
        if (errno == EINVAL) {
            if (!last) break;  // the rest of a character comes with the next piece
            // A character cut off by the end of the text: left out whole,
            // so that none of its bytes is read as a character of its own.
            source += sourceLeft;
            sourceLeft = 0;
            break;
        }
        // A sequence the character set does not define: its first byte is
        // passed over and the reading goes on from the next, as the
        // Windows side does.
        ++source;
        --sourceLeft;
    }
    consumed = static_cast<std::size_t>(source - in);
    const std::size_t produced = (capacity - targetLeft) / 4;
    // In place, front to back: each unit is read before it is overwritten.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < produced; ++i) {
        const unsigned char* unit = units + i * 4;
        const char32_t code = static_cast<char32_t>(unit[0]) | static_cast<char32_t>(unit[1]) << 8 |
                              static_cast<char32_t>(unit[2]) << 16 | static_cast<char32_t>(unit[3]) << 24;
        if (code != replacementCharacter) out[kept++] = code;
    }
    return kept;
}

}  // namespace postsift::platform
