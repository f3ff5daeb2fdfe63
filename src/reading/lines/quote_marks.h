#pragma once
#include "reading/lines/message_line.h"

namespace postsift {

// Quote marks other than '>', which the scanner does not know: people and
// mail programs also quote with "| ", ") ", ": ", "} ", "--]" or "#> " at the
// very start of each line, and some with "# ". Only the start of a line is
// looked at here; whether a line so marked is a quote depends on the lines
// around it (a run of two, or right after an attribution or another quote),
// which the rule that reads them decides.
struct quoteMark {
    const char* begin = nullptr;  // the mark's first byte, after the blanks before it
    const char* end = nullptr;   // just past the mark; null when the line begins with none
    bool underAttribution = false;  // "# ": code comments begin so too; a quote only under an attribution
    bool hasText = false;        // something follows the mark ("|" alone is an empty quoted line)
};

// The mark at the start of an unquoted line, after two blanks at most (" >
// text", "  | text": indented, '>' is a mark the scanner does not see): one
// to four bytes that are neither letters, digits nor blanks, the last of
// them one that closes a mark ('>', '|', ')', ':', '}', ']'), or a lone '#'
// at the very start. A mark of one byte is
// followed by a blank or the line's end. None for what only looks like one:
// "- " and "* " items, "-- " and other dashes, "//" and "#!" code, "(1)" and
// "[1]" and "*)" notes, arrows ("->", "=>"), emoticons (":-)", ";)"), and
// the rows of tables and boxes, which end in the '|' they begin with.
quoteMark quoteMarkOf(const messageLine& line);

// Two lines' marks (quoteMarkOf) are the same.
bool sameQuoteMark(const quoteMark& a, const quoteMark& b);

// A line that stands for quoted text left out: "<snip>", "[snip]",
// "[snipped]", "[...]", "<...>", "...", a pair of scissors ("8<", "--8<--"),
// alone on its line.
bool isElisionMarker(const messageLine& line);

// Whether a quote in any of the forms the reading pass knows begins at this
// line: a line quoted with '>', the first of two lines with the same other
// mark or the same initials, or a lone line of initials in capitals.
bool beginsAnyQuote(const messageLine& line, const char* textEnd);

}  // namespace postsift
