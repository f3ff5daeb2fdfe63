#pragma once
#include "reading/lines/message_line.h"

namespace postsift {

// Where an earlier message that the scanner reads as a forwarded section
// ends. Under its separator such a section takes the rest of the text: right
// for the usual top-posted reply, whose history below is not quoted. But a
// reply that answers below the quote, or between its paragraphs, writes the
// separator and the earlier message's header lines, then the earlier text
// quoted with '>', then its own words: every answer would be lost. So when
// the earlier message's text, after its header lines and blank lines, begins
// quoted, the section ends there: the quote is read as a quote (left out, or
// spoken by "[INCLUDE FORWARDED TEXT]") and the lines after it as new text.
// The scanner asks at each line end of a section; the reading pass, which
// must know where the scanner stands, asks the same of the lines it writes.
class earlierMessageEnd {
public:
    // A separator line was read: a section begins after it.
    void begin() { state_ = afterSeparator; }
    // The section's next line; true when the section ends before it.
    bool endsBefore(const messageLine& line);
    // Whether the section, once begun, takes the rest of the text: its
    // text is not quoted, and no line ends it any more.
    bool takesTheRest() const { return state_ == toTheEnd; }

private:
    enum state {
        afterSeparator,  // only blank lines since the separator
        inHeaders,       // the earlier message's header lines
        afterHeaders,    // a blank line after them
        toTheEnd,        // its text is not quoted: the section takes the rest
    };
    state state_ = toTheEnd;
};

}  // namespace postsift
