#pragma once

#include "mime/byte_span.h"

namespace postsift::mime {

// The most bytes a plain alternative may take, as sent, to be looked at as
// a placeholder: a few lines, even in base64 or quoted-printable.
constexpr std::size_t placeholderBytesLimit = 2048;

// True when the text of a plain alternative, in Windows-1252, only stands
// in for its HTML sibling: it says nothing at all, or it is a few short
// lines (eight at most, 600 visible bytes at most) in which "HTML" stands
// next to words that say the message is in HTML or ask for a program that
// reads it, in English, French or German: "This is an HTML message",
// "requires an HTML-capable mail program", "Ce message est au format HTML",
// "ne supporte pas le HTML", "Dies ist eine HTML-Nachricht", "Ihr
// E-Mail-Programm unterstützt kein HTML". A plain text that says more, or
// that mentions HTML otherwise, is no placeholder.
bool isHtmlPlaceholder(byteSpan text);

}  // namespace postsift::mime
