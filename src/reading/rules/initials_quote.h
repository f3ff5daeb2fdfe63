#pragma once
#include "reading/pass/reading_rule.h"

namespace postsift {

// Quotes marked with the writer's initials, as some mail programs write
// them: "AB> Try it again with the new build", "K> The article is online",
// with or without a leading blank, or the writer's name ("Chris> Am I the
// only one"). A run of two lines or more that each begin with the same
// initials and '>' is quoted text, at the depth of its '>' marks, and so is
// a lone line of initials in capitals ("GS> Did it work?") between answers;
// another lone line is text ("Shlepy> Heya" in a dialogue of one's own). The other rules read such a line from
// its first '>', so that the initials are neither read nor written.
class initialsQuote : public readingRule {
public:
    void observe(lineFacts& line, passState& state, readingOutput& out) override;

private:
    // A line that begins with initials: whether it is read as a quote, from
    // its '>'.
    [[gnu::noinline]] void readInitials(lineFacts& line, passState& state);

    char run_[12] = {};  // the initials of the run going on, empty when none
};

}  // namespace postsift
