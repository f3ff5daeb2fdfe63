#pragma once
#include "reading/pass/reading_rule.h"

namespace postsift {

class epostSift;
struct dateWords;

// Forwards, read. In a reply the earlier message is history, which the
// listener has heard; in a forward it is the content. A message is a forward
// when its subject begins with a forward marker ("Fwd:", "TR:", "WG:", any
// marker of the filter list that says the same), when it carries forwarded
// messages as parts (message/rfc822, which the decoding stage writes under a
// forward separator), or when its first earlier message begins with a
// forward separator ("---------- Forwarded message ---------", "Begin
// forwarded message:" ...) after a few lines of the sender's own at most;
// and a text that the sender marks as passed on ("--- begin forwarded
// text") is read wherever it stands. The subject's marker may follow a list's tag
// ("[Orchids] FW: ...") or open a bracket ("[Fwd: ...]"), or the subject
// end in "(fwd)". And when nothing of the sender's own stands above an
// earlier message that would take every line left, the message would be
// heard as its summary alone: that earlier message is read as a forward.
//
// The forwarded message is then read as the rest of the body: its
// separator and header lines become the phrase of "[FORWARDED MESSAGE]"
// with its sender, then its date and subject as "Date:" and "Subject:"
// lines, which the configuration speaks; its text follows as text of the
// message, so its own quotes and earlier messages follow the usual rules.
// Which earlier message is forwarded: in a forward by its subject the
// first, whatever its separator; then every one under a forward separator.
// The line that ends a forwarded text is left out after it.
class forwardedMessages : public readingRule {
public:
    // `dates`, when not null, says the forwarded message's date.
    forwardedMessages(epostSift& filter, const char* phrase, const dateWords* dates);

    void observe(lineFacts& line, passState& state, readingOutput& out) override;
    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;
    void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
               readingOutput& out) override;

private:
    // A line of the leading header block: the subject tells a forward.
    void observeHeader(const lineFacts& line, passState& state);
    // Whether the forwarded message to read begins at this line.
    bool begins(const lineFacts& line, passState& state, readingOutput& out);
    bool takesTheRest(const lineFacts& line, lineWindow& lines);
    // Writes what stands for the separator and header lines of the
    // forwarded message that begins at this line; returns where its text
    // begins.
    const char* write(const lineFacts& line, passState& state, readingOutput& out);
    bool isForwardMarker(const char* word, const char* end);

    epostSift& filter_;
    const char* phrase_;
    const char* datePhrase_;  // when it was sent: "[FORWARDED DATE]"
    const dateWords* dates_;
    bool subjectSaysForward_ = false;
    bool carriesForwards_ = false;
    bool forward_ = false;
    bool startMet_ = false;
    bool read_ = false;  // a forwarded message was read
    int ownLines_ = 0;
};

}  // namespace postsift
