#pragma once
#include "reading/pass/line_facts.h"
#include "reading/pass/line_window.h"

namespace postsift {

// Facts of a line together with the lines after it, that more than one rule
// asks for.

// A run of quotes marked with initials begins at this line: the next line
// begins with the same initials and '>'.
bool beginsInitialsRun(const lineFacts& line, lineWindow& lines);

// Mail programs draw a line of underscores above the header lines of an
// earlier message; any run of ten or more will do.
bool isUnderscoreLine(const lineFacts& line);

// The n-th line after this one is an original header line.
bool originalHeaderFollows(const lineFacts& line, int n, lineWindow& lines);

// An earlier message begins at this line whatever came before it: a
// separator, or a block of two original header lines or more, with or
// without its line of underscores.
bool beginsEarlierMessage(const lineFacts& line, lineWindow& lines);

}  // namespace postsift
