#pragma once
#include <cstddef>

#include "reading/pass/reading_rule.h"

namespace postsift {

class epostSift;

// "[READ PARAGRAPHS]": mail is wrapped at about 72 characters, and a voice
// that stops at every line end drops its pitch in the middle of sentences.
// Within a wrapped paragraph a line end becomes a blank, and a paragraph
// that ends without '.', '!', '?' or ':' gets a full stop (a ',' or ';' at
// its end becomes one). A run of short lines (a list, an address, a
// signature, a table) and lines that begin with a list mark ("- ", "* ",
// "1. ") keep their lines, each ending its sentence. Lines that the scanner
// may take for header lines, separators and boundaries are left alone.
class paragraphReading : public readingRule {
public:
    explicit paragraphReading(epostSift& filter) : filter_(filter) {}

    // A line of text was written to `out` from `written` on, its line end
    // included: joins it to the line before it when both belong to one
    // wrapped paragraph, and ends the sentence where the paragraph ends.
    void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
               readingOutput& out) override;

private:
    void classify(const lineFacts& first, passState& state);
    void endSentence(readingOutput& out, std::size_t start, std::size_t lineEnd);

    epostSift& filter_;
    const char* next_ = nullptr;  // where the next line of the paragraph begins, in the message
    const char* end_ = nullptr;   // where the paragraph ends
    bool wrapped_ = false;
    std::size_t joinFrom_ = 0;    // the line end of the last line written, in the output
    std::size_t joinTo_ = 0;      // just past it; joinFrom_ == joinTo_: none to join
};

}  // namespace postsift
