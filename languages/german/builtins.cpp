#include "config/builtin_table.h"
#include "support/reserved_names.h"

namespace postsift {

namespace {

const char subjectPhrase[] = "Betreff dieser Nachricht: %s";
const char senderPhrase[] = "Nachricht gesendet von: %s";
const char datePhrase[] = "Nachricht erhalten am: %s";
const char forwarded[] = "Weitergeleitet:";
const char answer[] = "Antwort:";
const char* const reply = answer;

const char headerTemplate[] =
    "{[SENDER] ? [SENDER] hat ihnen| unbekannt hat ihnen} {[DATE] ? am [DATE]|ohne Datum} eine "
    "Nachricht geschickt. {[SUBJECT] ? Der Betreff dieser Nachricht ist: [SUBJECT]| Der Betreff "
    "dieser Nachricht ist: nicht vorhanden}.";

// Installed in this order. "Gesendet am:" and "Sent:" are spoken as dates
// but are not keywords of the "[DATE]" symbol. There is no announcement of a
// forwarded section until the configuration file defines one.
const builtInEntry entries[] = {
    {"Subject:", subjectPhrase},
    {"From:", senderPhrase},
    {"Date:", datePhrase},

    {"Content-type:", "[KEEP SECTION] text/plain"},

    {"Mon,", "Montag,"},
    {"Tue,", "Dienstag,"},
    {"Wed,", "Mittwoch,"},
    {"Thu,", "Donnerstag,"},
    {"Fri,", "Freitag,"},
    {"Sat,", "Samstag,"},
    {"Sun,", "Sonntag,"},

    {"FWD:", forwarded},
    {"Re:", answer},

    {"Betreff:", subjectPhrase},
    {"Von:", senderPhrase},
    {"Datum:", datePhrase},
    {"Gesendet am:", datePhrase},
    {"Sent:", datePhrase},

    {"Mo,", "Montag,"},
    {"Di,", "Dienstag,"},
    {"Mi,", "Mittwoch,"},
    {"Do,", "Donnerstag,"},
    {"Fr,", "Freitag,"},
    {"Sa,", "Samstag,"},
    {"So,", "Sonntag,"},

    {"WG:", forwarded},
    {"AW:", answer},

    // Emoticons and signs, dropped as words; the same list in every build.
#include "config/emoticon_entries.inc"

    {optionIncludeEmailAddress, "false"},
    {optionIncludeForwardedHeaders, "false"},
    {optionIncludeForwardedText, "false"},

    {lineEndKeyName, ". "},
    {symbolSubject, "Betreff:|Subject:"},
    {symbolDate, "Datum:|Date:"},
    {symbolSender, "Von:|From:"},
    {symbolHeader, headerTemplate},
    {symbolBody, "Es folgt die Nachricht."},

#include "config/marker_entries.inc"
};

const languagePhrases phrases = {
    "Anhang: %s.",
    "Link zu %s",
    "%s schrieb:",
    "Weitergeleitete Nachricht von %s.",
    "Nachricht %1$s: von %2$s, %3$s.",
    "auf der Liste %s",
    "bei %s",
    "Nachricht gesendet am: %s.",
    "%s von %d Zeilen.",
    "Link",
    {
        "Nicht vorgelesen: %s.",
        " und ",
        "der zitierte Text",
        {"die fr\xfchere Nachricht", "die fr\xfcheren Nachrichten"},
        {"eine Signatur", "Signaturen"},
        {"die Fu\xdfzeile der Liste", "die Fu\xdfzeilen der Liste"},
        {"eine Anzeige", "Anzeigen"},
        {"ein Abonnementhinweis", "Abonnementhinweise"},
        {"ein Haftungsausschluss", "Haftungsausschl\xfcsse"},
        {"ein Anhang", "Anh\xe4nge"},
    },
};

// \xe4 is a umlaut.
const dateWords dates = {
    {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"},
    {"Januar", "Februar", "M\xe4rz", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober", "November",
     "Dezember"},
    nullptr,
    {nullptr, nullptr},
    "%A, %d. %B %Y um %H:%M Uhr",
    nullptr,
    "%A, %d. %B %Y",
};

// "sein" and "ihr" are a verb and a pronoun as often, and end sentences.
// \xfc is u umlaut, \xdf sharp s.
const readingWords words = {
    " der die das den dem des ein eine einen einem einer eines mit von zu zum zur bei beim nach aus f\xfcr \xfc" "ber"
    " unter auf an in im ins am vom um durch gegen ohne vor hinter zwischen w\xe4hrend wegen trotz seit bis und"
    " oder aber sondern denn weil dass da\xdf wenn als ob obwohl damit sowie mein meine meinen meinem meiner"
    " deine seine seinen seinem ihre ihren ihrem unser unsere unseren unserem ",
    {"Ein Codeauszug", "Ein Protokoll", "Ein Diff", "Ein Stacktrace", "Eine Shell-Sitzung", "Eine Konfigurationsdatei",
     "Ein Hexdump", "Eine Zahlentabelle"},
};

}  // namespace

extern const languageBuild germanBuild = {{entries, sizeof entries / sizeof entries[0]}, phrases, dates, words};

}  // namespace postsift
