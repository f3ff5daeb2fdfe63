#pragma once
#include <string>

#include "reading/pass/reading_rule.h"

namespace postsift {

// Finds where an earlier message begins in the forms that today's mail
// programs write and the scanner does not know, and hands it to the scanner
// in the one form it does: a "-----Original Message-----" line. Those forms
// are the separators of other programs, and a block of at least two
// original header lines ("From:", "Sent:", ...) after a line of underscores,
// a blank line or an attribution, once the body has had a line of text. A
// lone "From:" line starts nothing.
//
// While the scanner is in an earlier message, a later block only has its
// header lines written plainly: another separator there would be read as
// text. The output knows where the scanner stands (readingOutput).
class originalMessageFinder : public readingRule {
public:
    void observe(lineFacts& line, passState& state, readingOutput& out) override;
    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;
    void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
               readingOutput& out) override;

private:
    enum kind {
        ordinary,        // none of the below
        knownSeparator,  // a separator the scanner knows
        otherSeparator,  // a separator of another program
        underscoreLead,  // a line of underscores before a block
        blockLead,       // the first line of a block after a blank line
        headerInBlock,   // a later header line of an earlier message
    };

    // What the line is, looking at most two lines further; changes nothing.
    kind judge(const lineFacts& line, lineWindow& lines) const;
    void enterSection(const messageLine& line, readingOutput& out);

    kind kind_ = ordinary;
    bool inHeaders_ = false;
    bool seenText_ = false;
    bool leadAllowed_ = false;
    std::string headerLine_;  // an original header line as the scanner reads one
};

}  // namespace postsift
