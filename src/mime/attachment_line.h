#pragma once

#include "mime/part_header.h"
#include "mime/text_buffer.h"

namespace postsift::mime {

// The file name of a part (the "filename" of its Content-Disposition, or
// the "name" of its Content-Type), decoded into Windows-1252, without the
// folders some programs put before it. False when it has none.
bool attachmentName(const partHeader& header, textBuffer& name);

// The announcement of a part left out, on a line of its own: `phrase` with
// its first "%s" replaced by the name. A line that begins like a header
// field ("Anhang: ...") gets two asterisks before it, which the scanner
// drops as decoration, so that it is read as text and not taken for a
// header line.
void writeAnnouncement(const char* phrase, byteSpan name, textBuffer& out);

}  // namespace postsift::mime
