#pragma once

#include "mime/byte_span.h"
#include "mime/text_buffer.h"

namespace postsift::mime {

// Text sent as format=flowed: a line that ends in a blank is soft, and
// goes on in the next line at the same quote depth; the others end their
// paragraph. Writes each paragraph as one line, its quote marks first and
// the space that stuffs a line left out. With delsp=yes the blank that
// marks a soft break is no part of the text. A signature separator ("-- ")
// is never soft.
void unwrapFlowedText(byteSpan text, bool deleteSpace, textBuffer& out);

}  // namespace postsift::mime
