#pragma once
#include "reading/pass/line_facts.h"
#include "reading/pass/line_window.h"

namespace postsift {

// Facts of a line together with the lines after it, that more than one rule
// asks for.

// A run of quotes marked with initials begins at this line: the next line
// begins with the same initials and '>'.
bool beginsInitialsRun(const lineFacts& line, lineWindow& lines);

// A quote marked with initials: the first of a run, or a lone line whose
// initials are one to three capitals and a '>' and a blank ("GS> Did it
// work?"), as a quoted question stands between answers.
bool beginsInitialsQuote(const lineFacts& line, lineWindow& lines);

// A written line of the sender's own words: unquoted, not blank, neither a
// MIME boundary line nor a part's header line ("Content-Type: ...").
bool holdsOwnWords(const lineFacts& line);

// Mail programs draw a line of underscores above the header lines of an
// earlier message; any run of ten or more will do.
bool isUnderscoreLine(const lineFacts& line);

// The n-th line after this one is an original header line.
bool originalHeaderFollows(const lineFacts& line, int n, lineWindow& lines);

// A block of original header lines as mail programs write it above an
// earlier message begins at this line: the lines from it on, one after the
// other (folded ones among them), hold a sender ("From:") and at least two
// more ("Sent:", "To:", "Subject:" ...). A "From:" and a "Date:" line alone
// are as often a list in a newsletter.
bool beginsHeaderBlock(const lineFacts& line, lineWindow& lines);

// An earlier message begins at this line whatever came before it: a
// separator, or a block of two original header lines or more, with or
// without its line of underscores.
bool beginsEarlierMessage(const lineFacts& line, lineWindow& lines);

}  // namespace postsift
