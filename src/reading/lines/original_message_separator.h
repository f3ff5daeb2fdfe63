#pragma once
#include "reading/lines/message_line.h"

namespace postsift {

// The separator lines that the scanner takes for the start of an earlier
// message: at the start of an unquoted line, dashes, "original message" or
// "message d'origine" in any case, dashes.
bool isOriginalMessageSeparator(const messageLine& line);

// The separators that other mail programs write, which the scanner does not
// know: a phrase between runs of dashes ("---------- Forwarded message
// ---------", "-------- Message original --------", "-------- Ursprüngliche
// Nachricht --------", "---------- Weitergeleitete Nachricht ----------"
// and their kin), or a line of its own ("Begin forwarded message:"), in
// English, French and German, in any case.
bool isOtherSeparator(const messageLine& line);

// Those of them that announce a forwarded message ("---------- Forwarded
// message ---------", "Begin forwarded message:", "-------- Message
// transféré --------" ...), not the history of a reply.
bool isForwardSeparator(const messageLine& line);

}  // namespace postsift
