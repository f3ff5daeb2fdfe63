#pragma once
#include <cstddef>

#include "mime/byte_span.h"

namespace postsift::mime {

// The smallest number that, written in decimal right after `stem`, gives a
// text that `message` does not hold anywhere: a name of the stage's own that
// no text of the message can be taken for. One pass over the message, then
// one over a table as long as the number of times the stem occurs, whatever
// the message holds. False when memory for that table ran out.
bool unusedBoundaryNumber(byteSpan message, const char* stem, std::size_t& number);

}  // namespace postsift::mime
