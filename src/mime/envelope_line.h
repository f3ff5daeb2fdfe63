#pragma once

namespace postsift::mime {

// A message taken from a mailbox file may still begin with the mailbox's
// envelope line: "From ", the sender's address and the date of delivery
// ("From jo@example.org Tue Mar  4 09:15:00 2003"), or the same after a '>'
// that some program put before it. It is not part of the message: read as
// the first line, it would end the header there, and the whole header,
// sender, date, subject and MIME structure with it, would be read as text.
// Where the message begins: past that line and its line end (LF or CR LF),
// or `text` itself when it begins otherwise.
const char* afterEnvelopeLine(const char* text, const char* end);

}  // namespace postsift::mime
