#pragma once
#include <cstddef>

#include "reading/pass/reading_rule.h"

namespace postsift {

// Quotes marked otherwise than with '>', which the scanner alone knows:
// "| text", ") text", ": text", "} text", "--]text", "#> text", and "# text"
// right under an attribution (see reading/lines/quote_marks.h for what is
// a mark and what only looks like one). A line so marked is a quote
//
// - when the next line begins with the same mark (a run of two or more),
// - when it comes right after an attribution (blank lines between), or
//   right after a quoted line of any form,
// - or when the message has quoted with that mark before: a question
//   quoted alone between two answers.
//
// Such a line is then read as a line quoted with '>' by the other rules, and
// written with '>' in place of its mark, so that the scanner leaves it out
// or reads it as "[INCLUDE FORWARDED TEXT]" says, as any quote.
//
// A line that stands for text left out of a quote ("<snip>", "[...]", "8<")
// belongs to the quote: under an attribution or a quoted line (blank lines
// between), or right above a quote, it is written as a quoted line too.
class otherQuoteMarks : public readingRule {
public:
    void observe(lineFacts& line, passState& state, readingOutput& out) override;
    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;
    void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
               readingOutput& out) override;

private:
    bool isQuote(const lineFacts& line, lineWindow& lines) const;
    bool quoteBelow(const lineFacts& line, lineWindow& lines) const;
    void remember(const lineFacts& line);
    bool isElision(lineFacts& line, passState& state);
    // Whether the line, which begins with a quote mark, is a quote by it:
    // its facts are then those of the quoted line.
    [[gnu::noinline]] bool readAsQuote(lineFacts& line, lineWindow& lines);
    // Whether the line, which may be an elision marker, is one that belongs
    // to a quote.
    [[gnu::noinline]] bool belongsToQuote(const lineFacts& line, lineWindow& lines) const;

    bool quoteGoesOn_ = false;       // the line before was quoted, in any form
    bool quoteAbove_ = false;        // so was the last line that is not blank
    bool underAttribution_ = false;  // an attribution, then blank lines at most
    int blanksAfterAttribution_ = 0;
    char mark_[5] = {};              // the mark the message has quoted with, empty before any
    bool elision_ = false;           // the line stands for text left out of a quote
};

}  // namespace postsift
