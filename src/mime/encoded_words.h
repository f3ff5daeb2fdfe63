#pragma once
#include <cstddef>

#include "mime/byte_span.h"
#include "mime/text_buffer.h"

namespace postsift::mime {

// True when a header value has something to decode: an encoded word
// ("=?charset?Q?...?=" or "?B?", either case), or bytes beyond ASCII that
// are UTF-8 or that Windows-1252 does not define.
bool headerValueNeedsDecoding(byteSpan value);

// Writes a header value as one line of Windows-1252: folded lines joined
// with one blank each, encoded words decoded, and the blanks between two
// encoded words that stand next to each other dropped. The bytes of
// neighbouring words in the same charset are read together, so a character
// split over two words survives. A malformed encoded word stays as it is.
// The rest of the value is read as UTF-8 when it is UTF-8 beyond ASCII, as
// Windows-1252 when Windows-1252 defines every byte of it, and otherwise
// as its ASCII text alone (of a multi-byte set, see unconvertible_text.h). No line end or control character is written.
// Answers how many encoded words were decoded.
std::size_t decodeHeaderValue(byteSpan value, textBuffer& out);

}  // namespace postsift::mime
