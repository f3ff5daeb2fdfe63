#pragma once

#include "mime/byte_span.h"
#include "mime/text_buffer.h"

namespace postsift::mime {

// Quoted-printable: "=XX" gives the byte XX (either case), an "=" at the end
// of a line (blanks after it allowed) joins the line to the next, and an "="
// that begins neither is an ordinary character, left as it is. Appends the
// bytes to `out`.
void decodeQuotedPrintable(byteSpan encoded, textBuffer& out);

// Base64: line ends and every other byte outside the alphabet are passed
// over, a missing '=' at the end does no harm, and an '=' ends a group (two
// encoded texts run together still decode). A lone character left over at
// the end gives no byte. Appends the bytes to `out`.
void decodeBase64(byteSpan encoded, textBuffer& out);

// The value of a base64 character, or -1.
int base64Value(char c);

// The value of a hexadecimal digit (either case), or -1.
int hexValue(char c);

}  // namespace postsift::mime
