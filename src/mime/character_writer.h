#pragma once

#include "mime/text_buffer.h"

namespace postsift::mime {

// Writes decoded characters as the scanner will read them: in Windows-1252
// (see putWindows1252), without the NULs that would end the message early
// and without control characters that a voice cannot say. In body text CR
// LF and a lone CR become LF, so no carriage return reaches the scanner's
// standard output; in a header value every line end and control character
// becomes a blank, so a decoded word can never begin a new header line.
class characterWriter {
public:
    enum class target { body, headerValue };

    characterWriter(textBuffer& out, target where) : out_(out), where_(where) {}

    void put(char32_t character);

private:
    textBuffer& out_;
    target where_;
    bool afterCarriageReturn_ = false;
};

}  // namespace postsift::mime
