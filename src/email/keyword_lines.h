#pragma once

namespace postsift {

// Which lines that begin with a word and a colon are header items.
//
// The scanner would take every such line for one, so a body line "Note: the
// meeting moved" or "PS: bring the slides" was a header item of an unknown
// keyword, and silent. A line-start keyword is a header item when
// - it stands in a block of header lines: the leading header block of the
//   message, or the lines directly after a MIME boundary line or an
//   earlier message's separator, each line following the one before;
// - or the filter has a header rule for it: a keyword phrase (with "%s"), a
//   line or section rule, or a symbol that lists it ("From:" of
//   "[SENDER]"). A word rule ("Re:" to "Réponse:") makes no header item:
//   the line is text, and the rule replaces the word;
// - or it is the name of a header field: one with a hyphen ("X-Mailer"),
//   one of the message format and MIME (From, To, Date, Subject ...), or
//   the French and German names of those that mail programs write.
// Any other is body text, read as it stands, "Note:" and all.
//
// The state belongs to the one scanner of the process and is reset with it.

// A new text is scanned; `text` is its first byte.
void startKeywordLines(const char* text);

// At a line-start keyword: `line` is where its line begins, `name` and
// `nameEnd` the keyword's name and its colon ("Note:"), past any quote prefix
// and blanks; the byte at `nameEnd` is a NUL. Whether it begins a header item.
bool beginsHeaderItem(const char* line, const char* name, const char* nameEnd);

// A header item's line ended; the next line begins at `next`.
void headerItemEnded(const char* next);

}  // namespace postsift
