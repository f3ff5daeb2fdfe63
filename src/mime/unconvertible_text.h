#pragma once

#include "mime/byte_span.h"
#include "mime/character_writer.h"
#include "platform/charset_names.h"

namespace postsift::mime {

// A character set that is not Windows-1252 for certain: one of the shared
// table of names, or by its name one of the East Asian families (ISO-2022,
// EUC, GB, Big5, KS C 5601, Shift_JIS, HZ). `form` says how its bytes carry
// characters. A text in such a set that the system cannot convert is never
// read as Windows-1252, which would put its bytes before a voice as
// mojibake; a name that is neither still is, since such names are, in
// practice, Western mail with a wrong or home-made label.
bool isForeignCharset(byteSpan name, platform::charsetForm& form);

// What can be read of a text in such a set without its converter: the
// ASCII characters outside shifted runs, without the shift sequences. Every
// other character is left out whole, so none of its bytes is read as a
// character of its own: in a multi-byte set, a byte above 127 takes the byte
// after it along when that one may be the rest of a character (a digit,
// letter or sign from '0' up, or another byte above 127).
void readAsciiRemainder(platform::charsetForm form, byteSpan text, characterWriter& writer);

}  // namespace postsift::mime
