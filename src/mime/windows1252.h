#pragma once

#include "mime/byte_span.h"
#include "mime/text_buffer.h"

namespace postsift::mime {

// The character a Windows-1252 byte stands for. The five bytes that
// Windows-1252 leaves undefined give the control character of their number.
char32_t windows1252Character(unsigned char byte);

// True when Windows-1252 defines every byte of the text: none of the five
// it leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) is there.
bool isWindows1252Text(byteSpan text);

// Writes a character in Windows-1252: its own byte where Windows-1252 has
// it, otherwise the closest form ("l" for "ł", a blank for the narrow
// no-break space of French typography, "fi" for the ligature, an accented
// letter for a letter followed by a combining accent) or nothing at all
// (emoji, CJK, zero-width characters), never a '?' that would be read
// aloud. Control characters are the caller's business: they are written as
// they are.
void putWindows1252(textBuffer& out, char32_t character);

}  // namespace postsift::mime
