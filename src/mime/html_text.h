#pragma once

#include "mime/byte_span.h"
#include "mime/text_buffer.h"

namespace postsift::mime {

// The text of an HTML document, already in Windows-1252, appended to `out`
// as lines of plain text: tags dropped; paragraphs, divisions, list items,
// table rows, headings and the like ending a line, a line break ending one
// even when empty; the insides of script, style and title elements and of
// comments left out; character references decoded; runs of white space one
// blank, except inside pre. A link reads as its text. Each line inside
// blockquotes begins with one '>' per level and a blank (up to 32 marks);
// an hr, and an element that holds an earlier message (a class or id that
// says quote, cite, reply or forward, or a top border in its style), begin
// with a line of 32 underscores, one for the outermost of nested ones. The
// text ends with a line end. Time and memory are linear in the document.
//
// The document is scanned where it lies, as one piece: a scanner fed in
// pieces goes over a long token again from its start at every piece. Two
// NULs are added to `html` for the scanner's end marks.
void htmlToText(textBuffer& html, textBuffer& out);

}  // namespace postsift::mime
