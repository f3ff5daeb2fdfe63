#include "config/builtin_table.h"
#include "support/reserved_names.h"

namespace postsift {

namespace {

const char subjectPhrase[] = "The subject of this message is: %s";
const char senderPhrase[] = "This message was sent by: %s";
const char datePhrase[] = "This message was sent on: %s";
const char reply[] = "Reply:";
const char forwarded[] = "Forwarded:";

const char headerTemplate[] =
    "{[SENDER] ? Message from [SENDER]| Message from an unknown sender}, {[DATE] ? sent [DATE]| undated}. "
    "{[SUBJECT] ? The subject is: [SUBJECT]| No subject}. ";

// Installed in this order. "Sent:", which mail programs write above an
// earlier message, is spoken as a date but is not a keyword of "[DATE]".
// "Jan" and "Jun" are given names as often as months, so they stay as
// written; "May" is the same word in full.
const builtInEntry entries[] = {
    {"Subject:", subjectPhrase},
    {"From:", senderPhrase},
    {"Date:", datePhrase},
    {"Sent:", datePhrase},

    {"Content-type:", "[KEEP SECTION] text/plain"},

    {"Mon,", "Monday,"},
    {"Tue,", "Tuesday,"},
    {"Tues,", "Tuesday,"},
    {"Wed,", "Wednesday,"},
    {"Thu,", "Thursday,"},
    {"Thur,", "Thursday,"},
    {"Thurs,", "Thursday,"},
    {"Fri,", "Friday,"},
    {"Sat,", "Saturday,"},
    {"Sun,", "Sunday,"},

    {"Feb", "February"},
    {"Mar", "March"},
    {"Apr", "April"},
    {"Jul", "July"},
    {"Aug", "August"},
    {"Sep", "September"},
    {"Sept", "September"},
    {"Oct", "October"},
    {"Nov", "November"},
    {"Dec", "December"},

    // The reply and forward markers of the mail programs of several
    // languages; "RE:" and "FWD:" are the same keys in capitals.
    {"Re:", reply},
    {"AW:", reply},
    {"R\xe9" "f:", reply},
    {"Fwd:", forwarded},
    {"FW:", forwarded},
    {"TR:", forwarded},
    {"WG:", forwarded},

    // Emoticons and signs, dropped as words; the same list in every build.
#include "config/emoticon_entries.inc"

    {optionIncludeEmailAddress, "false"},
    {optionIncludeForwardedHeaders, "false"},
    {optionIncludeForwardedText, "false"},

    {symbolForwardedSection, "The following text was forwarded."},
    {lineEndKeyName, ". "},
    {symbolSubject, "Subject:"},
    {symbolDate, "Date:"},
    {symbolSender, "From:"},
    {symbolHeader, headerTemplate},
    {symbolBody, "The message follows."},

#include "config/marker_entries.inc"
};

const languagePhrases phrases = {
    "Attachment: %s.",
    "link to %s",
    "%s wrote:",
    "Forwarded message from %s.",
    "Message %1$s: from %2$s, %3$s.",
    "on the list %s",
    "at %s",
    "This message was sent on: %s.",
    "%s of %d lines.",
    "link",
    {
        "Left out: %s.",
        " and ",
        "the quoted text",
        {"the earlier message", "the earlier messages"},
        {"a signature", "signatures"},
        {"the list footer", "the list footers"},
        {"an advertisement", "advertisements"},
        {"a subscription notice", "subscription notices"},
        {"a disclaimer", "disclaimers"},
        {"an attachment", "attachments"},
    },
};

const dateWords dates = {
    {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"},
    {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October", "November",
     "December"},
    nullptr,
    {"AM", "PM"},
    "%A, %B %d, %Y at %I:%M %p",
    "%A, %B %d, %Y at %I %p",
    "%A, %B %d, %Y",
};

// "that", "so", "though" and the particles ("about", "over", "up") end
// sentences often enough to be left out; "his" and "her" stand alone.
const readingWords words = {
    " a an the of in on at to for with from by into onto under between through during without within among"
    " against toward towards upon across via per than and or but nor because although if unless whether while"
    " whereas when my your our their its ",
    {"A code sample", "A log", "A diff", "A stack trace", "A shell session", "A configuration file", "A hex dump",
     "A numeric table"},
};

}  // namespace

extern const languageBuild englishBuild = {{entries, sizeof entries / sizeof entries[0]}, phrases, dates, words};

}  // namespace postsift
