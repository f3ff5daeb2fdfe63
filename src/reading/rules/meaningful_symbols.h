#pragma once
#include <cstddef>

#include "reading/pass/reading_rule.h"

namespace postsift {

class epostSift;

// "[READ SYMBOLS]": signs that carry meaning are read, not silenced, in
// lines written as text.
//
// - A dash between words ("the plan -- if it works -- saves a week", " - ",
//   an en or em dash, with or without blanks) is a pause: it becomes a
//   comma after the word before it, "the plan, if it works, saves a week".
//   The scanner drops a run of dashes, and a voice reads a lone one as a
//   sign or as nothing. A dash between two numbers is a range and stays, so
//   do a hyphen inside a word, an option ("ls --all", blanks on one side
//   only) and a dash in a link or an address.
// - A list label in parentheses at the start of a line ("(a)", "(c)",
//   "(iv)") is kept where a rule of the configuration would change it: the
//   built-in tables drop "(c)" and "(r)" as the copyright and registered
//   signs. It is written "c)", which no such rule names and a voice reads as
//   the label. Only a label of a list is: the one before it was its
//   predecessor ("(b)" before "(c)", "(iii)" before "(iv)"), or one of the
//   next lines begins with its successor; "(c) 2025 Example Ltd" under a
//   message stays the rule's.
class meaningfulSymbols : public readingRule {
public:
    explicit meaningfulSymbols(epostSift& filter) : filter_(filter) {}

    void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
               readingOutput& out) override;

    // A label's value read as a letter, a roman number and a number; 0 where
    // it cannot be read so.
    struct label {
        unsigned letter = 0;
        unsigned roman = 0;
        unsigned number = 0;
        bool any() const { return letter != 0 || roman != 0 || number != 0; }
        bool follows(const label& before) const;
    };

private:
    bool hasRule(const char* word, std::size_t length) const;
    bool beginsList(const lineFacts& line, const label& value, lineWindow& lines) const;
    // Whether it took a label's '(' out of the line written.
    // Reads the labels and pauses of what was written for the line from
    // `written` on; `asItStood`: it is the line as it stood in the message;
    // `mayHoldLabel`: it holds a '('.
    [[gnu::noinline]] void readSigns(const lineFacts& line, bool asItStood, bool mayHoldLabel, std::size_t written,
                                     passState& state, readingOutput& out);
    bool keepLabel(const lineFacts& line, const messageLine& said, passState& state, readingOutput& out);

    epostSift& filter_;
    label last_;  // the last label that began a line
};

}  // namespace postsift
