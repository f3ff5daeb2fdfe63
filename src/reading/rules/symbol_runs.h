#pragma once
#include <cstddef>

#include "reading/pass/reading_rule.h"

namespace postsift {

class epostSift;

// "[QUIET SYMBOLS]": runs of symbols that a voice would read sign by sign,
// "<><><><>", "---------------------~-->", "=-=-=", "*-*-*", are left
// out of lines written as text; their quote prefix stays. A word of three
// characters or more with no letter and no digit is silent; a word made only
// of sentence punctuation ("...", "?!") stays, and so do a word with a
// rule of its own (an emoticon) and signs between quotes ("the '*' key").
class symbolRuns : public readingRule {
public:
    explicit symbolRuns(epostSift& filter) : filter_(filter) {}

    void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
               readingOutput& out) override;

private:
    [[gnu::noinline]] void quietRuns(std::size_t written, readingOutput& out) const;
    bool isRun(const char* word, std::size_t length) const;

    epostSift& filter_;
};

}  // namespace postsift
