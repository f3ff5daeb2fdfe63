#pragma once
#include "reading/lines/message_line.h"
#include "reading/pass/reading_output.h"

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
class originalMessageFinder {
public:
    enum kind {
        ordinary,        // none of the below
        knownSeparator,  // a separator the scanner knows
        otherSeparator,  // a separator of another program
        underscoreLead,  // a line of underscores before a block
        blockLead,       // the first line of a block after a blank line
        headerInBlock,   // a later header line of an earlier message
    };

    // What the line is, looking at most two lines further; changes nothing.
    kind judge(const messageLine& line, const char* textEnd) const;
    static bool beginsMessage(kind k) { return k != ordinary && k != headerInBlock; }

    // How a line that judge() did not call ordinary is to be written.
    enum form {
        asItStands,
        replaced,  // by a separator: nothing more to write
        asHeader,  // as a plain original header line
    };
    // Writes the separator that the line stands for or that goes before
    // it, if any, and moves the state on.
    form begin(const messageLine& line, kind k, readingOutput& out);
    // An ordinary line that others write, and an attribution.
    void passOver(const messageLine& line);
    void passOverAttribution();
    // A message's body begins anew (a forwarded message that is read).
    void startBody();

    // Whether an earlier message begins at this line whatever came before
    // it (after an attribution): a separator, or a block with or without
    // its line of underscores.
    static bool beginsAfterAttribution(const messageLine& line, const char* textEnd);

private:
    void enterSection(const messageLine& line, readingOutput& out);

    bool inHeaders_ = false;
    bool seenText_ = false;
    bool leadAllowed_ = false;
};

}  // namespace postsift
