#pragma once
#include <cstddef>

#include "reading/pass/reading_rule.h"

namespace postsift {

struct leftOutWords;

// "[SAY WHAT WAS LEFT OUT]": a listener who hears less than the message
// holds should know so. After what is heard of the body, one sentence says
// what the reading left out: "Left out: the quoted text, a signature and
// the list footer." It names the quoted text and the earlier messages that
// the scanner leaves out (unless "[INCLUDE FORWARDED TEXT]"), the
// signatures, list footers, adverts, subscription notices and disclaimers
// that the rules left out (each counts its own in the pass's state), and
// the attachments that the decoding stage left out. Nothing is said when
// nothing was left out, nor for what was left out inside text the listener
// does not hear anyway.
//
// The sentence follows the last line the listener hears, not the end of
// the text: there the scanner may be in an earlier message's section, which
// it leaves out whole.
class leftOutSentence : public readingRule {
public:
    // `sentence`: its "%s" stands for the list of things; `attachments`:
    // how many the decoding stage left out.
    leftOutSentence(const leftOutWords& words, const char* sentence, bool quotesHeard, unsigned attachments)
        : words_(words), sentence_(sentence), quotesHeard_(quotesHeard), attachments_(attachments) {}

    void observe(lineFacts& line, passState& state, readingOutput& out) override;
    void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
               readingOutput& out) override;
    void finish(passState& state, readingOutput& out) override;

private:
    const leftOutWords& words_;
    const char* sentence_;
    bool quotesHeard_;
    unsigned attachments_;

    std::size_t place_ = 0;    // the output's mark: just after the last line heard
    bool begun_ = false;
    bool heardLine_ = false;   // the last line was heard: the mark moves past it
    bool inSection_ = false;   // the scanner is in an earlier message's section
    bool inPartHeader_ = false;
    bool quoted_ = false;
    bool quoteOfEarlier_ = false;  // quoted lines that go on an earlier message's section
    unsigned earlierMessages_ = 0;
    unsigned signatures_ = 0;
};

}  // namespace postsift
