#pragma once
#include "reading/pass/reading_rule.h"

namespace postsift {

// Quotes marked with the writer's initials, as some mail programs write
// them: "AB> Try it again with the new build", "K> The article is online",
// with or without a leading blank. A run of two lines or more that each
// begin with the same initials and '>' is quoted text, at the depth of its
// '>' marks; a lone such line is text. The other rules read such a line from
// its first '>', so that the initials are neither read nor written.
class initialsQuote : public readingRule {
public:
    void observe(lineFacts& line, passState& state, readingOutput& out) override;

private:
    char run_[4] = {};  // the initials of the run going on, empty when none
};

}  // namespace postsift
