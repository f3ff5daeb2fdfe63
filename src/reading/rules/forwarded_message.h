#pragma once
#include "reading/lines/message_line.h"
#include "reading/pass/reading_output.h"

namespace postsift {

class epostSift;
class spokenDates;

// Forwards, read. In a reply the earlier message is history, which the
// listener has heard; in a forward it is the content. A message is a forward
// when its subject begins with a forward marker ("Fwd:", "TR:", "WG:", any
// marker of the filter list that says the same), when it carries forwarded
// messages as parts (message/rfc822, which the decoding stage writes under a
// forward separator), or when its first earlier message begins with a
// forward separator ("---------- Forwarded message ---------", "Begin
// forwarded message:" ...) after a few lines of the sender's own at most.
//
// The forwarded message is then read as the rest of the body: its
// separator and header lines become the phrase of "[FORWARDED MESSAGE]"
// with its sender, then its date and subject as "Date:" and "Subject:"
// lines, which the configuration speaks; its text follows as text of the
// message, so its own quotes and earlier messages follow the usual rules.
// Which earlier message is forwarded: in a forward by its subject the
// first, whatever its separator; then every one under a forward separator.
class forwardedMessages {
public:
    forwardedMessages(epostSift& filter, const char* phrase);

    // A line of the leading header block: the subject tells a forward.
    void observeHeader(const messageLine& line);
    // Whether the forwarded message to read begins at this line.
    // `earlierMessage`: a block of original header lines begins there;
    // `out` knows whether the scanner stands in an earlier message already.
    bool begins(const messageLine& line, bool earlierMessage, readingOutput& out);
    // Writes what stands for the separator and header lines of the
    // forwarded message that begins at this line; returns where its text
    // begins.
    // `dates`, when not null, says the forwarded message's date.
    const char* write(const messageLine& line, const char* textEnd, const spokenDates* dates, readingOutput& out);
    // A line written as the sender's own text, or quoted; a MIME boundary
    // line or a part's header line is not the sender's.
    void passOver(const messageLine& line, bool boundaryLine);
    // A reply's history (an attribution) came first.
    void historyMet() { startMet_ = true; }

private:
    bool isForwardMarker(const char* word, const char* end);

    epostSift& filter_;
    const char* phrase_;
    bool subjectSaysForward_ = false;
    bool carriesForwards_ = false;
    bool forward_ = false;
    bool startMet_ = false;
    int ownLines_ = 0;
};

}  // namespace postsift
