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
// be quoted deeper or begin an earlier message; when its wording is certain
// and it gives a date and a name, unquoted text after it is an earlier
// message too, which some mobile programs write without '>' marks. It is
// left out with the quoted text, or else spoken as the phrase of
// "[ATTRIBUTION]" with the name alone; left out too when no name is found.
class attributionLines : public readingRule {
public:
    // `phrase`: null when attributions are left out whatever follows;
    // `findOriginalMessage`: the other forms of earlier messages count.
    attributionLines(const char* phrase, bool quotedTextLeftOut, bool findOriginalMessage)
        : phrase_(phrase), quotedTextLeftOut_(quotedTextLeftOut), findOriginalMessage_(findOriginalMessage) {}

    // When an attribution begins at this line, or ends it: writes what
    // becomes of it and takes the lines it runs on.
    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;

private:
    enum class follower { nothing, quote, earlierMessage, unquotedEarlierMessage };
    follower whatFollows(const lineFacts& last, const attributionReading& reading, lineWindow& lines) const;
    const char* writeAttribution(const lineFacts& line, const char* from, const lineFacts& last,
                                 const attributionReading& reading, lineWindow& lines, readingOutput& out);

    const char* phrase_;
    bool quotedTextLeftOut_;
    bool findOriginalMessage_;
};

}  // namespace postsift
