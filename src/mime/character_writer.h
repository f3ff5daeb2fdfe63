#pragma once

#include "mime/text_buffer.h"

namespace postsift::mime {

// Writes decoded characters as the scanner will read them: in Windows-1252
// (see putWindows1252), without the NULs that would end the message early
// and without control characters that a voice cannot say. In body text CR
// LF and a lone CR become LF, so no carriage return reaches the scanner's
// standard output; in a header value every line end and control character
// becomes a blank, so a decoded word can never begin a new header line.
// Printable ASCII and Windows-1252's 0xA0 to 0xFF are written as the
// byte they are, in body text and header values alike.
inline bool standsForItself(unsigned char byte) { return (byte >= 0x20 && byte < 0x7F) || byte >= 0xA0; }

class characterWriter {
public:
    enum class target { body, headerValue };

    characterWriter(textBuffer& out, target where) : out_(out), where_(where) {}

    void put(char32_t character);

    // A run of bytes that stand for themselves, the same as putting each
    // (see standsForItself): copied at once, since most text is made of them.
    void putOwnBytes(const char* begin, const char* end) {
        if (begin == end) return;
        afterCarriageReturn_ = false;
        out_.put(begin, static_cast<std::size_t>(end - begin));
    }

private:
    textBuffer& out_;
    target where_;
    bool afterCarriageReturn_ = false;
};

}  // namespace postsift::mime
