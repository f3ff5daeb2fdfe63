#pragma once
#include <cstddef>
#include <new>

#include "reading/pass/reading_rule.h"
#include "reading/rules/boilerplate_block.h"
#include "reading/rules/list_identity.h"

namespace postsift {

// "[LEAVE OUT BOILERPLATE]": what a person's eye skips is not read aloud.
// The text of a message is read as blocks (paragraphs, and rule lines on
// their own); each is judged once at most, as it is at its first line
// (boilerplate_block.h):
//
// - the list's footer, which names the list that the message's own header
//   fields name (List-Id, List-Post, List-Unsubscribe ...; list_identity.h),
//   or under a rule line holds a subscription link;
// - a sponsor's block or an advert, "This list is sponsored by ...";
// - a notice of why the reader gets the mail or how to stop it, at the
//   start or at the end;
// - a disclaimer, in English, French or German, whatever its length;
// - "Sent from my phone", "Checked for viruses";
// - with "[DROP SIGNATURE]", a signature without its "-- " line: a short
//   block of contact lines under the sign-off at the end.
//
// Where a block stands decides as much as what it says, and where it stands
// is known only later: at the end of the text (of the message, of a MIME
// part, before an earlier message or a quote, or a "-- " signature), or
// when the sender's own text follows it. So a boilerplate block is written
// as any text is, and held: the output keeps a mark where it begins. When
// the text ends, what is held is taken back out; when the sender's text
// follows, what is held stays, unless it was the notice at the start. A
// sponsor's block between two rule lines goes wherever it stands. So most
// verdicts change nothing, and a block is judged only once what follows it
// may make its verdict count (see "blocks judged late" below). Each block is
// looked at once at most, and what is taken back is at the end of the
// output: the pass stays linear.
//
// When in doubt, the block is read: a notice that is the whole message, a
// disclaimer in a message that has no text of its own beside it, a block
// introduced by the sender ("the numbers you asked for:") stay.
class boilerplate : public readingRule {
public:
    // `contacts`: signatures without "-- " are looked for; `quotesHeard`:
    // the listener hears quoted text and earlier messages.
    boilerplate(bool contacts, bool quotesHeard) : contacts_(contacts), quotesHeard_(quotesHeard) {}

    void observe(lineFacts& line, passState& state, readingOutput& out) override;
    void finish(passState& state, readingOutput& out) override;
    bool readsDroppedField(const messageLine&, const char* keyword, const char* keywordEnd) const override {
        return listIdentity::reads(keyword, keywordEnd);
    }

private:
    void startSegment();
    // The text ends before `at`: the line that ends it, or the end of the
    // message's text.
    void textEnds(const char* at, passState& state, readingOutput& out);
    void startBlock(const lineFacts& line, passState& state, readingOutput& out);
    blockContext contextHere() const;
    // What a verdict on a block makes of what is held; `at` is where the
    // output stood when the block's first line came to be written.
    // `heard`: whether a block held from there on would be heard, as noted
    // then, or null to work it out now for a block of `depth`.
    void apply(const blockVerdict& verdict, std::size_t at, const bool* heard, int depth, passState& state,
               readingOutput& out);
    bool heardFrom(int depth, readingOutput& out) const;
    void openRun(std::size_t at, readingOutput& out);
    void hold(const blockVerdict& verdict, std::size_t at, const bool* heard, int depth, readingOutput& out);
    void takeBack(passState& state, readingOutput& out);

    // Blocks judged late. Once the segment has text of the sender's, a
    // block's verdict changes nothing unless no text of the sender's
    // follows it before the text ends (or a rule line comes): boilerplate
    // that text follows stays. So its lines are only noted, with
    // where each is written, and at the next line that could make a verdict
    // count, the noted blocks are judged from the last one back, each as it
    // would have been at its first line, until one is the sender's text;
    // what was held since is then worked out as if each had been judged in
    // its turn.
    // Whether a line may be noted at all, and whether one that may is
    // noted here (`notable`).
    static bool mayBeNoted(const lineFacts& line);
    bool mayDefer(bool notable) const;
    bool noteDeferred(const lineFacts& line, readingOutput& out);
    void judgeDeferred(const char* at, passState& state, readingOutput& out);
    // The noted blocks, by the lines they hold, the first line of a run of
    // blank lines after one too; each line's place is the output's trail
    // of the same index.
    bool deferring_ = false;
    bool colonBeforeDeferred_ = false;  // what afterColon_ was at the first
    struct deferredLine {
        bool blank;
        bool heard;  // a block held from it would be heard
    };
    deferredLine deferred_[readingOutput::trailRoom];
    std::size_t deferredCount_ = 0;
    // Their facts as the pass had them, which the judge reads again: made
    // in this room as each line is noted (an array of facts would be
    // cleared for every message).
    alignas(lineFacts) unsigned char deferredFacts_[readingOutput::trailRoom * sizeof(lineFacts)];
    lineFacts* deferredFacts() { return std::launder(reinterpret_cast<lineFacts*>(deferredFacts_)); }

    listIdentity list_;
    blockJudge judge_;
    bool contacts_;
    bool quotesHeard_;
    std::size_t mark_ = 0;  // the output's mark: where what may be taken back begins
    bool bodyBegun_ = false;

    // Lines that are no blocks of text.
    bool inPartHeader_ = false;   // a MIME part's header lines
    bool inHeaderBlock_ = false;  // an earlier message's header lines
    bool inSignature_ = false;    // under "-- ", which the signature rule leaves out
    int signatureDepth_ = 0;

    // The block being read and what stands before it.
    const char* blockEnd_ = nullptr;
    int depth_ = 0;
    bool afterRule_ = false;
    bool afterColon_ = false;
    bool sponsorTitle_ = false;
    bool textInSegment_ = false;  // the sender's text, since the part or earlier message began
    bool textInMessage_ = false;

    // Blank and rule lines since the sender's last block: the mark is where
    // they begin, so that a block held after them goes with them.
    bool runOpen_ = false;
    // What is held.
    bool holding_ = false;
    bool heldAtStart_ = false;   // no text of the sender's before it
    bool heldStartOk_ = false;   // all of it may go at the start (notices, sponsors)
    bool heldNeedsText_ = false; // it goes only when the message has text of its own
    bool heldSetOff_ = false;    // a sponsor's block under a rule line, alone
    bool heldHeard_ = false;     // the listener would hear it
    passState::leftOutRecord held_;
};

}  // namespace postsift
