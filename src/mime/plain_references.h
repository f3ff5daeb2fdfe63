#pragma once

#include "mime/byte_span.h"
#include "mime/text_buffer.h"

namespace postsift::mime {

// Character references in text sent as plain text: programs that write HTML
// leave "&#8220;", "&eacute;" or "&amp;" in the plain text they make of it.
// A well-formed reference ends in ';' and stands for a character: a decimal
// or hexadecimal number ("&#233;", "&#xE9;") that is one, or a name of
// HTML's ("&eacute;", case as HTML writes it). "AT&T", "R&D;" and "&#;" are
// none.

// True when the text holds a well-formed reference and no HTML tag (see
// html_shape.h): a text that shows tags is about HTML, and its references
// are as its writer meant them to be read.
bool readsReferences(byteSpan text);

// Writes the text, already in Windows-1252, with each well-formed reference
// as its character (the closest form, or nothing, where Windows-1252 lacks
// it); everything else as it is.
void writeWithReferences(byteSpan text, textBuffer& out);

}  // namespace postsift::mime
