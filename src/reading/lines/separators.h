#pragma once
#include "reading/lines/message_line.h"

namespace postsift {

// The lines that separate a message from an earlier one.
enum class separatorKind {
    none,
    // The scanner's own: at the start of an unquoted line, dashes, "original
    // message" or "message d'origine" in any case, dashes. The reading pass
    // writes it ("-----Original Message-----") wherever it finds an earlier
    // message in another form.
    original,
    // Another program's, before the history of a reply: a phrase between
    // runs of dashes ("-------- Message original --------", "--------
    // Ursprüngliche Nachricht --------" and their kin), in English, French
    // and German, in any case.
    reply,
    // Another program's, before a forwarded message: "---------- Forwarded
    // message ---------", "-------- Message transféré --------", "Begin
    // forwarded message:", "Anfang der weitergeleiteten Nachricht:", "---
    // begin forwarded text" ...
    forward,
    // The line that ends a forwarded text: "--- end forwarded text". No
    // separator: what follows it is the sender's own again.
    forwardEnd,
};

separatorKind separatorOf(const messageLine& line);

bool isOriginalMessageSeparator(const messageLine& line);
// "--- begin forwarded text": the sender marks what follows as passed on,
// up to its "--- end forwarded text".
bool beginsForwardedText(const messageLine& line);
inline bool isSeparator(const messageLine& line) {
    const separatorKind kind = separatorOf(line);
    return kind != separatorKind::none && kind != separatorKind::forwardEnd;
}

}  // namespace postsift
