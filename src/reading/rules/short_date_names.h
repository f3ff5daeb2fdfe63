#pragma once
#include <cstddef>

namespace postsift {

class epostSift;
class filterEntry;
class readingOutput;

// Short day and month names ("Sat,", "Mar", "DEC", "So,"), which word rules
// of the built-in tables say in full ("Saturday,", "March"), are words as
// often as dates: "el mar", "DEC keyboard", "So, wie geht's?". With
// "[SPEAK DATES]" on, the scanner leaves such a rule to the reading pass,
// which applies it only where the name stands in a date: next to a number
// or to another day or month name written with a capital, or anywhere in a
// line that holds a date ("Date:" whose date could not be said). A day's
// name after a number that ends a sentence ("at 10. So, wie ...") is no
// date's. Elsewhere
// the word stays as the sender wrote it. The rules are the filter list's,
// so what a configuration says a name as, or removes, holds in dates.

// Whether a word rule is one of those: its key, without a trailing ',' or
// '.', is a short day or month name.
bool isShortDateNameRule(const filterEntry& entry);

// Whether the scanner leaves the rule to the reading pass: "[SPEAK DATES]"
// is on and the rule is a short name's.
bool ruleLeftToDates(epostSift& filter, const filterEntry& entry);

// Says the short names in the text written from `from` on (one line, or the
// lines a rule wrote for one) by their rules where they stand in a date;
// everywhere when `dateLine`. `headerWords`: the scanner reads the text as a
// header line, whose words end at '.', '!' and '?' as well.
void sayShortDateNames(epostSift& filter, readingOutput& out, std::size_t from, bool dateLine, bool headerWords);

}  // namespace postsift
