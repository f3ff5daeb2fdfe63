#pragma once
#include "reading/pass/reading_rule.h"

namespace postsift {

struct attributionReading;

// Attribution lines above quoted text or an earlier message (see
// attribution_reading.h for what counts as one): "On Wed, Apr 4, 2012 at
// 3:59 PM, Bob <bob@example.com> wrote:", "Le 23 janv. 2015 à 22:03,
// Brendan <b@x.com> a écrit :", "Den 11 mars 2025 09:12 skrev Elin
// <e@x.se>:", "11.03.2025 09:12 \"Lea\" <lea@x.org>:". A run of up to three
// lines counts when a mail program wrapped it (it then begins with its
// date); one that ends a line of reply text is cut off from it, and the
// reply text stays. What follows it, after at most three blank lines, must
// be quoted deeper (with '>' or, right under it, any other quote mark or
// initials, perhaps after a "<snip>") or begin an earlier message; when its
// wording is certain and it gives a date and a name, unquoted text after it
// is an earlier message too, which some mobile programs write without '>'
// marks, as long as no quote follows anywhere below it. It is left out with
// the quoted text, or else spoken as the phrase of "[ATTRIBUTION]" with the
// name alone; left out too when no name is found. One that ends a line of
// reply text with no sentence's end before it counts in a wording of the
// languages.
//
// When such unquoted history would take every line and nothing of the
// sender's own came before it, the message would be heard as its summary
// alone: with forwards read, the attribution is then said as the phrase of
// "[FORWARDED MESSAGE]" and the earlier message read.
class attributionLines : public readingRule {
public:
    // `phrase`: null when attributions are left out whatever follows;
    // `findOriginalMessage`: the other forms of earlier messages count.
    attributionLines(const char* phrase, bool quotedTextLeftOut, bool findOriginalMessage)
        : phrase_(phrase), quotedTextLeftOut_(quotedTextLeftOut), findOriginalMessage_(findOriginalMessage) {}

    // When an attribution begins at this line, or ends it: writes what
    // becomes of it and takes the lines it runs on.
    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;
    void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
               readingOutput& out) override;

    // History under an attribution with nothing of the sender's own above
    // it is read as a forwarded message, announced by `phrase`.
    void readsHistoryAlone(const char* phrase) { forwardPhrase_ = phrase; }

private:
    // The rest of take, for a line that ends in a colon or may begin a run
    // that does: [begin, end) is its text without the blanks around it.
    [[gnu::noinline]] lineTaken read(const lineFacts& line, const char* begin, const char* end, passState& state,
                                     readingOutput& out);
    enum class follower { nothing, quote, earlierMessage, unquotedEarlierMessage };
    follower whatFollows(const lineFacts& last, const attributionReading& reading, lineWindow& lines);
    // A quote in any form begins at or after this line.
    bool quoteFollows(const lineFacts& from);
    const char* writeAttribution(const lineFacts& line, const char* from, const lineFacts& last,
                                 const attributionReading& reading, lineWindow& lines, readingOutput& out);

    const char* phrase_;
    bool quotedTextLeftOut_;
    bool findOriginalMessage_;
    const char* forwardPhrase_ = nullptr;
    bool ownWords_ = false;               // a line of the sender's own was written
    const char* quoteAt_ = nullptr;       // the last quote found looking ahead
    const char* looked_ = nullptr;        // how far ahead lines were looked at
};

}  // namespace postsift
