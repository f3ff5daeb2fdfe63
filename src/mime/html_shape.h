#pragma once

#include "mime/byte_span.h"

namespace postsift::mime {

// What a text sent as plain text shows of HTML, told from its bytes alone
// (any ASCII-compatible character set). A tag here is the start or end tag
// of an HTML element: '<', perhaps '/', the element's name in any case, then
// a blank, a line end, '/' or '>' ("<b>", "</p>", "<a href=...>"); "<name@
// example.org>" and "<http://...>" are none.

// True when the text is an HTML document that a program sent as plain text:
// after blanks and line ends it begins with "<!DOCTYPE html", "<html" or
// "<head", or most of its first lines are markup: of its first ten lines
// that are not blank, more than half and at least three begin with a tag,
// a comment or a declaration, or end with a tag. A line of prose that
// mentions "<b>" is none of these.
bool isHtmlDocument(byteSpan text);

// True when a tag stands anywhere in the text.
bool holdsHtmlTag(byteSpan text);

}  // namespace postsift::mime
