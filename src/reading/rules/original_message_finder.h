#pragma once
#include <string>

#include "reading/pass/reading_rule.h"

namespace postsift {

// Finds where an earlier message begins in the forms that today's mail
// programs write and the scanner does not know, and hands it to the scanner
// in the one form it does: a "-----Original Message-----" line. Those forms
// are the separators of other programs, a block of original header lines
// ("From:" and at least two of "Sent:", "To:", "Subject:" ..., in the
// languages of header_names.cpp) after a blank line or right under a line
// of the sender's words, and two original header lines or more under a line
// of underscores or an attribution, once the body has had a line of text. A
// lone "From:" line starts nothing, nor does a "From:" and a "Date:" line in
// a newsletter's list.
//
// A forwarded text between "--- begin forwarded text" and "--- end
// forwarded text" is written as a quote, and its two lines are left out:
// the text after it is the sender's own again, which an earlier message's
// section, running to the end, would take.
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
        blockLead,       // the first line of a block
        headerInBlock,   // a later header line of an earlier message
        forwardEnd,      // the end of a forwarded text
        quotedForward,   // a line of a forwarded text between its beginning and its end
    };

    // What the line is, looking at most two lines further; changes nothing.
    kind judge(const lineFacts& line, lineWindow& lines) const;
    void enterSection(const messageLine& line, readingOutput& out);
    const char* forwardEndBelow(const lineFacts& line);

    kind kind_ = ordinary;
    bool inHeaders_ = false;
    bool seenText_ = false;
    bool attributionAbove_ = false;  // an attribution, then blank lines at most
    bool leadAllowed_ = false;       // a blank line above, or a line of the sender's words
    bool fieldsAbove_ = false;       // header lines above ("Received:" and its folded lines)
    std::string headerLine_;  // an original header line as the scanner reads one
    const char* quotedUntil_ = nullptr;  // the end of the forwarded text written as a quote
    const char* endAt_ = nullptr;        // the last end of a forwarded text found looking ahead
    const char* looked_ = nullptr;       // how far ahead lines were looked at for one
};

}  // namespace postsift
