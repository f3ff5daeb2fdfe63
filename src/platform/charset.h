#pragma once
#include <cstddef>

#include "platform/charset_names.h"

namespace postsift::platform {

// Reads text written in a named character set as Unicode code points,
// through the operating system's own converter (iconv from the C library,
// MultiByteToWideChar on Windows). It knows nothing of Windows-1252 or of
// what the library does with the code points: that stays the same on every
// platform.
class charsetDecoder {
public:
    // `name` as a message declares it ("iso-8859-15", "KOI8-R"), any case,
    // looked up in the shared table of names (charset_names.h) and, on a
    // system whose converter has names of its own, among those. A name the
    // system cannot convert leaves the decoder closed.
    charsetDecoder(const char* name, std::size_t nameLength);
    ~charsetDecoder();
    charsetDecoder(const charsetDecoder&) = delete;
    charsetDecoder& operator=(const charsetDecoder&) = delete;

    bool isOpen() const { return open_; }

    // Decodes bytes from `in` into at most `room` code points at `out`
    // (room must be at least 4) and returns how many it wrote; `consumed`
    // says how many bytes it read. A character cut off at the end of `in`
    // is left for the next call unless `last` is set, and then left out.
    // A sequence that the character set does not define is left out: its
    // first byte is passed over and the reading goes on from the next, the
    // same on every system, and no '?' or U+FFFD stands for it. Text goes
    // in pieces, so a message of any size needs no more than the caller's
    // room.
    std::size_t decode(const char* in, std::size_t inLength, bool last, char32_t* out, std::size_t room,
                       std::size_t& consumed);

private:
    bool open_ = false;
    // iconv's descriptor, or the Windows code page, the most bytes one of
    // its characters takes and how its bytes carry them.
    void* handle_ = nullptr;
    unsigned codePage_ = 0;
    unsigned maxCharSize_ = 0;
    charsetForm form_ = charsetForm::singleByte;
};

}  // namespace postsift::platform
