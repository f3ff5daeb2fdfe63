#pragma once
#include <cstddef>

namespace postsift {

class readingOutput;
struct dateWords;

// Dates in a line of text ("2002-12-25", "07/13/2001", "Tue Sep  3
// 10:00:00 2002", "am 23. Januar 2015 um 16:39"), said as the build says a
// date, in place. What counts as a date is readDateInText's: a year of four
// digits, numbers ordered by a value above 12 where one says which is the
// day, else as the build's language writes them (the month first where it
// says the month first, as English does). A date inside a longer word
// ("v2002-12-25", "/2002-12-25/", "2002-12-25-backup") is none.
//
// Rewrites the text written from `from` on, one line.
void sayDatesInText(readingOutput& out, std::size_t from, const dateWords& words);

}  // namespace postsift
