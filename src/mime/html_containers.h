#pragma once

#include "mime/byte_span.h"

namespace postsift::mime {

// How HTML mail marks the block that holds an earlier message, told from
// attribute values alone (their character references already decoded).
// Mail programs differ in the names they use, but they all say "quote",
// "reply" or "forward" in some spelling, or draw a line above the block of
// original header lines.

// A class or id value with a word that names a quote, citation, reply or
// forward container ("quote", "cite", "reply", "rply", "forward", "fwd"
// inside a word, in any case).
bool namesQuoteContainer(byteSpan value);

// A style value whose declarations leave the element a top border: the
// last of border, border-top, border-style, border-top-style, border-width
// and border-top-width that speaks of the top edge gives a style or a
// width other than none, hidden or zero.
bool drawsTopBorder(byteSpan style);

}  // namespace postsift::mime
