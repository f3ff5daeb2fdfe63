#pragma once

#include "mime/byte_span.h"

namespace postsift::mime {

// One header field: "Name: value", with the lines folded into it.
struct headerField {
    byteSpan whole;  // every line of it, line ends included
    byteSpan name;   // before the colon
    byteSpan value;  // after the colon, up to its last line end
};

// A message or a part: its header fields, the empty line after them (an
// empty span when the fields end otherwise), and its body.
struct headerBlock {
    byteSpan fields;
    byteSpan blankLine;
    byteSpan body;
};

// The header fields are the lines at the start that look like "Name:" or
// that begin with a blank after such a line, and lines that begin with '>'
// among them when another field follows; they end at an empty line or at
// the first line that is none of these. A part that begins with text has no
// fields: all of it is body.
headerBlock splitHeaderBlock(byteSpan part);

// The field at the start of `fields`; moves `fields` past it. False when
// none is left.
bool nextField(byteSpan& fields, headerField& field);

// Past the line end of the line at `at` (LF or CR LF), or `end`.
const char* nextLine(const char* at, const char* end);

}  // namespace postsift::mime
