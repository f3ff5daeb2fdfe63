#pragma once
#include <string>

#include "reading/lines/earlier_message_end.h"
#include "reading/lines/header_names.h"
#include "reading/pass/reading_rule.h"

namespace postsift {

// "[READ DIGESTS]": a digest is read message by message. A mailing list's
// digest gathers its messages into one: a contents list, then each message
// under a line of dashes with header lines of its own:
//
//   Today's Topics:
//      1. Watering in winter (Paul Ness)
//   ------------------------------
//   Message: 1
//   From: Paul Ness <paul@example.org>
//   Subject: Watering in winter
//
//   Once a week is enough.
//
// Read as it stands, the first block of header lines would begin an
// earlier message that runs to the end, and the listener would hear the
// contents and nothing else. Here each message's dashes and header lines
// become the phrase of "[DIGEST MESSAGE]" with its number, sender and
// subject, and its text is read as text of the message (its quotes and its
// own earlier messages follow the usual rules). The lines of the contents
// are items of a list, each said alone (lineNews::listItem).
//
// An earlier message inside one of them ("-----Original Message-----" and
// the history of a reply below it) would begin a section that the scanner
// reads to the end of the text, and every later message of the digest would
// be lost in it. Its lines are written quoted instead, up to where the
// scanner would end such a section (earlierMessageEnd) or to the next
// message: "[INCLUDE FORWARDED TEXT]" decides over them as over a quote.
//
// A message is a digest when its subject says so ("Digest", "Vol 3 #42";
// not a reply to one, "Re: ... digest"), or one of its first lines ("Orchid
// Digest", "Today's Topics:"), or when the decoding stage laid out a
// multipart/digest in this shape; and only when a message of it follows: a
// line of dashes, then (after a blank line or two, and perhaps a "Message:
// 2" line) a block of two header lines or more that names a sender or a
// subject.
class digestMessages : public readingRule {
public:
    // `phrase` null: the messages are announced by nothing.
    digestMessages(const char* phrase, bool laidOut) : phrase_(phrase), named_(laidOut) {}

    void observe(lineFacts& line, passState& state, readingOutput& out) override;
    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;
    // The subject may name a digest, whether the summary says it or not.
    bool readsDroppedField(const messageLine& line, const char*, const char*) const override;

    // A digest message's head, read from its line of dashes on.
    struct head {
        const char* end = nullptr;  // past its header lines; null when no message begins there
        std::string sender;
        std::string subject;
    };

private:
    void findDigest(const lineFacts& first, passState& state);
    // Whether this line of a digest message is one of an earlier message's,
    // to be written quoted.
    bool inHistory(const lineFacts& line, const passState& state);

    const char* phrase_;
    bool named_;
    // What a subject's name may begin with, asked of every header line.
    const firstByteTable& subjectFirstBytes_ = originalFirstBytes(originalField::subject);
    bool looked_ = false;  // the body's first line was looked at
    bool digest_ = false;
    const char* listBegin_ = nullptr;  // its contents: the lines that begin in [listBegin_, listEnd_)
    const char* listEnd_ = nullptr;
    unsigned number_ = 0;
    head head_;            // of the message that begins at this line
    bool inMessage_ = false;  // a message of the digest has begun
    bool history_ = false;    // an earlier message inside it goes on
    earlierMessageEnd historyEnd_;
};

}  // namespace postsift
