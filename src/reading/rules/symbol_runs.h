#pragma once
#include <cstddef>

#include "reading/pass/reading_output.h"

namespace postsift {

class epostSift;

// "[QUIET SYMBOLS]": runs of symbols that a voice would read sign by sign,
// "<><><><>", "---------------------~-->", "=-=-=", "*-*-*", are left
// out. A word of three characters or more with no letter and no digit is
// silent; a word made only of sentence punctuation ("...", "?!") stays, and
// so does a word with a rule of its own (an emoticon).
class symbolRuns {
public:
    explicit symbolRuns(epostSift& filter) : filter_(filter) {}

    // Quiets the line of text written to `out` from `start` on; its quote
    // prefix stays.
    void quiet(readingOutput& out, std::size_t start);

private:
    bool isRun(const char* word, std::size_t length) const;

    epostSift& filter_;
};

}  // namespace postsift
