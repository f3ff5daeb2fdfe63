#pragma once
#include <cstddef>

#include "reading/lines/reading_words.h"
#include "reading/pass/reading_rule.h"

namespace postsift {

// "[SUMMARIZE CODE]": code, a log, a diff, a stack trace, a shell session,
// a configuration file, a hex dump or a table of figures pasted into a
// message is read line by line, sign by sign, for minutes, and no listener
// follows it. A block of three lines or more of such a kind (judged by the
// shape of its lines, see code_shape.h) is said in one sentence instead:
// the phrase of "[CODE BLOCK]", its "%s" standing for the kind's name with
// its article and its "%d" for the count of lines ("A diff of 30 lines.").
// An empty phrase says nothing of the block. A single such line in prose
// is read.
//
// The block is judged once, at its first line, looking ahead to its end;
// its other lines are then taken without a word. Where no block begins, the
// lines looked at are not judged again.
class codeBlocks : public readingRule {
public:
    // A null phrase: blocks are left out without a word.
    codeBlocks(const char* phrase, const readingWords& words) : phrase_(phrase), words_(words) {}

    void observe(lineFacts& line, passState& state, readingOutput& out) override;
    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;

private:
    void announce(const lineFacts& first, codeKind kind, std::size_t lines, readingOutput& out);

    const char* phrase_;
    const readingWords& words_;
    const char* blockEnd_ = nullptr;  // the lines of an announced block run to here
    const char* judgedTo_ = nullptr;  // no block begins before here
    bool inFields_ = false;    // the lines read since the last blank one hold a header field
    bool fieldAbove_ = false;  // so for the line being read
};

}  // namespace postsift
