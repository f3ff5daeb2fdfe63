#pragma once
#include <string>

#include "reading/message_line.h"
#include "reading/reading_output.h"

namespace postsift {

// Reads an attribution, the text of one to three lines joined by blanks,
// and finds the name in it. An attribution ends in "wrote:", "writes:", "a
// écrit :" (the blank before the colon optional), "schrieb:", "hat ...
// geschrieben:" or "schrieb NAME:". The name is what comes before that
// ending, or after "schrieb", without a leading date ("On Wed, 4 Apr 2012
// at 15:59, Bob" gives "Bob": the date ends at the last comma), addresses
// and quotes. False when the text is no attribution; true with an empty
// name when it is one that names nobody.
bool readAttribution(const std::string& text, std::string& name);

// Attribution lines above quoted text or an earlier message: "On Wed, Apr
// 4, 2012 at 3:59 PM, Bob <bob@example.com> wrote:", "Le 23 janv. 2015 à
// 22:03, Brendan <b@x.com> a écrit :", "Am 14.03.2025 um 10:12 schrieb
// Jonas Brandt <j@x.de>:". A run of up to three lines counts when a mail
// program wrapped it (it then begins with such a date); what follows it,
// after at most three blank lines, must be quoted deeper or begin an
// earlier message. It is left out with the quoted text, or else spoken as
// the phrase of "[ATTRIBUTION]" with the name alone; left out too when no
// name is found.
class attributionLines {
public:
    // `phrase`: null when attributions are left out whatever follows;
    // `findOriginalMessage`: the other forms of earlier messages count.
    attributionLines(const char* phrase, bool quotedTextLeftOut, bool findOriginalMessage)
        : phrase_(phrase), quotedTextLeftOut_(quotedTextLeftOut), findOriginalMessage_(findOriginalMessage) {}

    // When an attribution begins at this line: writes what becomes of it
    // and returns where the next line begins. Null otherwise.
    const char* write(const messageLine& line, const char* textEnd, readingOutput& out);

private:
    bool introducesEarlierText(const messageLine& last, const char* textEnd) const;

    const char* phrase_;
    bool quotedTextLeftOut_;
    bool findOriginalMessage_;
};

}  // namespace postsift
