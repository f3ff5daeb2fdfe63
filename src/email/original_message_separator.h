#pragma once
#include "email/message_line.h"

namespace postsift {

// The separator lines that the scanner takes for the start of an earlier
// message: at the start of an unquoted line, dashes, "original message" or
// "message d'origine" in any case, dashes.
bool isOriginalMessageSeparator(const messageLine& line);

}  // namespace postsift
