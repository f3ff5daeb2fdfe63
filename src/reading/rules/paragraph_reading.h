#pragma once
#include <cstddef>
#include <vector>

#include "reading/lines/reading_words.h"
#include "reading/pass/reading_rule.h"

namespace postsift {

class epostSift;

// "[READ PARAGRAPHS]": a voice that stops at every line end drops its
// pitch in the middle of sentences, and mail is wrapped at 72 characters,
// or at 38, or by hand, or indented. Lines are read as the sentences they
// make:
// - Two lines of a paragraph are one sentence when the first does not end
//   one ('.', '!', '?', ':') and the second goes on with it: it begins in
//   small letters or with a figure, or the first ends with a word after
//   which no sentence ends (an article, a preposition, a conjunction of the
//   build's language: "the wheel still turns on / Sundays"), or both are
//   lines of a paragraph wrapped by a program, each filled as far as its
//   next word allowed. The line end becomes a blank, whatever the lines'
//   length or indentation.
// - A line stands alone, and ends its sentence: a list item ("- ", "* ",
//   "1. ", "a) "; or a line another rule took for an item of a list), a
//   heading in capitals, a line of a table (columns apart by a tab, three
//   blanks or a bar, twice on the line or once on two lines), a line a
//   program wrote (code, a log's line, a prompt). An
//   item's text goes on in the line below it when that line goes on with it.
// - Three short lines or more in a row (an address, a poem, a table of
//   contents) keep their lines, each a sentence, unless one ends with a
//   word after which no sentence ends.
// - Never across a blank line, a quote's edge, or a line that is not text.
// Where a line ends its sentence without '.', '!', '?' or ':', it gets a
// full stop (a closing ',' or ';' becomes one). Lines that the scanner may
// take for header lines, separators and boundaries are left alone.
class paragraphReading : public readingRule {
public:
    paragraphReading(epostSift& filter, const continuingWords& words) : filter_(filter), words_(words) {}

    // A line of text was written to `out` from `written` on, its line end
    // included: joins it to the line before it when they make one sentence,
    // or ends the sentence of the line before.
    void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
               readingOutput& out) override;
    void finish(passState& state, readingOutput& out) override;

private:
    // What a line of the paragraph is, from the message's bytes.
    struct lineLayout {
        const char* begin = nullptr;  // where the line begins in the message
        const char* text = nullptr;   // where its text begins
        std::size_t indent = 0;     // columns of blanks before its text (a tab to the next eighth)
        std::size_t length = 0;     // its text, blanks around it left out
        std::size_t firstWord = 0;  // the length of its first word
        std::size_t gaps = 0;       // gaps between columns
        bool link = false;          // it begins with a link
        bool item = false;          // a list item
        bool alone = false;         // it stands alone: an item, a heading, a table's line, a program's line
        bool shortRun = false;      // one of three short lines or more in a row
        bool heads = false;         // it begins with a capital or a figure (an item's shape, with endsOpen)
        std::size_t column() const { return indent + length; }
    };
    // The line written last, whose sentence is not ended yet: where its text
    // begins and ends in the output, and where the output goes on after it.
    struct heldLine {
        bool held = false;
        std::size_t text = 0;
        std::size_t end = 0;
        std::size_t next = 0;
        std::size_t index = 0;  // its place in the paragraph
        bool alone = false;
        bool item = false;
    };

    // The lines of the paragraph that begins at `first`, each laid out.
    void classify(const lineFacts& first, passState& state);
    lineLayout layoutOf(const lineFacts& line, passState& state) const;
    // The line ends with neither punctuation nor a word that goes on.
    bool endsOpen(const lineLayout& line) const;
    bool resume(const messageLine& line);
    bool joins(const heldLine& above, const lineLayout& below, bool belowAlone, readingOutput& out,
               std::size_t belowText, std::size_t belowTextEnd) const;
    bool endsWithContinuingWord(readingOutput& out, std::size_t text, std::size_t end) const;
    // Ends the sentence of the text [start, lineEnd) of `out`; the count of
    // bytes put in.
    std::size_t endSentence(readingOutput& out, std::size_t start, std::size_t lineEnd);
    void release(readingOutput& out);
    void recall(readingOutput& out);
    void remember(readingOutput& out);

    epostSift& filter_;
    const continuingWords& words_;
    std::vector<lineLayout> paragraph_;  // the lines of the paragraph being read
    const char* expected_ = nullptr;     // where its next line begins, in the message
    std::size_t index_ = 0;              // the line of paragraph_ read last
    std::size_t width_ = 0;              // its longest line
    bool wrapped_ = false;               // wrapped by a program: its lines filled
    std::size_t marks_[3] = {readingOutput::unset, readingOutput::unset, readingOutput::unset};  // held_.text, end, next
    heldLine held_;
};

}  // namespace postsift
