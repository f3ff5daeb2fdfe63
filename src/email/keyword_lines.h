#pragma once

namespace postsift {

// Which lines that begin with a word and a colon are header items.
//
// The scanner would take every such line for one, so a body line "Note: the
// meeting moved" or "PS: bring the slides" was a header item of an unknown
// keyword, and silent. So was "cc: Warning: unused variable" in compiler
// output, or "To: everyone in the choir,": the name of a header field at the
// start of a line of text says nothing of itself. A line-start keyword is a
// header item when
// - it stands in a block of header lines: the leading header block of the
//   message; the lines directly after a MIME boundary line or an earlier
//   message's separator; two or more lines in a row that begin with the
//   name of a header field (an earlier message's "From:" and "Sent:"); each
//   line following the one before;
// - or it is quoted ('>') and begins with a header field's name: a quoted
//   header line, which the option of forwarded headers speaks or leaves out;
// - or the filter has a header rule for it: a line or section rule, or a
//   keyword phrase (with "%s") of a keyword that the summary does not read.
//   The summary reads the leading header only: "From:" of "[SENDER]", with
//   its phrase, is the summary's, and a body line "From: Marta" is text. A
//   word rule ("Re:" to "R\xe9ponse:") makes no header item either: the line
//   is text, and the rule replaces the word.
// Any other is body text, read as it stands, "Note:" and all.
//
// The state belongs to the one scanner of the process and is reset with it.

// A new text is scanned, from `text` to `end`.
void startKeywordLines(const char* text, const char* end);

// At a line-start keyword: `line` is where its line begins, `name` and
// `nameEnd` the keyword's name and its colon ("Note:"), past any quote prefix
// and blanks; the byte at `nameEnd` is a NUL. Whether it begins a header item.
bool beginsHeaderItem(const char* line, const char* name, const char* nameEnd);

// A line of the leading header block begins a header item.
void beginsLeadingHeaderItem();

// A header item's line ended; the next line begins at `next`. Whether the
// leading header block goes on there.
bool headerItemEnded(const char* next);

// The block of header lines goes on at `line` (after lines of the leading
// header that are passed over).
void headerGoesOnAt(const char* line);

// The leading header block ended: its next line is not a header line.
void leadingHeaderEnded();

}  // namespace postsift
