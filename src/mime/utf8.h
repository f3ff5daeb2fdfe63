#pragma once
#include <cstddef>

#include "mime/byte_span.h"

namespace postsift::mime {

// Reads one UTF-8 character at `at` (before `end`) and moves past it. A
// malformed sequence (overlong, a surrogate, beyond U+10FFFF, cut off)
// answers false and moves past its first byte only.
bool readUtf8(const char*& at, const char* end, char32_t& character);

// True when the bytes hold at least one byte above 127 and every such byte
// belongs to a well-formed UTF-8 sequence: text that is UTF-8 and is not
// plain ASCII.
bool isUtf8BeyondAscii(byteSpan bytes);

// True when a byte above 127 occurs.
bool hasHighBytes(byteSpan bytes);

// The first byte above 127 at or after `at`; `end` when there is none.
// Eight bytes at a time: most text is ASCII.
const char* firstHighByte(const char* at, const char* end);

}  // namespace postsift::mime
