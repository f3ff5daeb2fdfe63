#include "config/builtin_table.h"
#include "support/reserved_names.h"

namespace postsift {

namespace {

// Windows-1252 bytes: \xe9 is e acute, \xe7 c cedilla. A hex escape runs on
// through hex digits, so a literal is split where one follows.
const char objectPhrase[] = "L'objet de ce message est: %s";
const char senderPhrase[] = "Le message a \xe9t\xe9 envoy\xe9 par: %s";
const char datePhrase[] = "Le message a \xe9t\xe9 re\xe7u le: %s";
const char forwarded[] = "Transf\xe9r\xe9:";
const char reply[] = "R\xe9ponse:";

const char headerTemplate[] =
    "{[SENDER] ? Vous avez re\xe7ut un message de [SENDER]| Vous avez re\xe7ut un message d'un exp\xe9"
    "diteur inconnu}, {[DATE] ? du [DATE]| non dat\xe9}. {[SUBJECT] ? L'objet de ce message est: "
    "[SUBJECT]| L'objet de ce message est: non pr\xe9"
    "cis\xe9}. ";

// Installed in this order. "Date:" comes twice: the second call finds the
// first entry and gives it the same phrase again, in place.
const builtInEntry entries[] = {
    {"Objet:", objectPhrase},
    {"De:", senderPhrase},
    {"Date:", datePhrase},
    {"Re\xe7u:", datePhrase},
    {"Envoy\xe9:", datePhrase},

    {"Content-type:", "[KEEP SECTION] text/plain"},

    {"Lun,", "Lundi,"},
    {"Mar,", "Mardi,"},
    {"Mer,", "Mercredi,"},
    {"Jeu,", "Jeudi,"},
    {"Ven,", "Vendredi,"},
    {"Sam,", "Samedi,"},
    {"Dim,", "Dimanche,"},

    {"FWD", forwarded},
    {"RE:", "R\xe9ponse:"},

    // Emoticons and signs, dropped as words; the same list in every build.
#include "config/emoticon_entries.inc"

    {optionIncludeEmailAddress, "false"},
    {optionIncludeForwardedHeaders, "false"},
    {optionIncludeForwardedText, "false"},

    {symbolForwardedSection, "Le text suivante etait transf\xe9r\xe9."},
    {lineEndKeyName, ". "},
    {symbolSubject, "Subject:|Objet:"},
    {symbolDate, "Date:|Envoy\xe9:|Re\xe7u:"},
    {symbolSender, "De:|From:"},
    {symbolHeader, headerTemplate},
    {symbolBody, "Le contenu du message est le suivant."},

    {"Subject:", objectPhrase},
    {"From:", senderPhrase},
    {"Date:", datePhrase},

    {"Mon,", "Lundi,"},
    {"Tue,", "Mardi,"},
    {"Tues,", "Mardi,"},
    {"Wed,", "Mercredi,"},
    {"Thu,", "Jeudi,"},
    {"Fri,", "Vendredi,"},
    {"Sat,", "Samedi,"},
    {"Sun,", "Dimanche,"},

    {"FWD:", forwarded},
    {"FW:", forwarded},

    {"Monday,", "Lundi,"},
    {"Tuesday,", "Mardi,"},
    {"Wednesday,", "Mercredi,"},
    {"Thursday,", "Jeudi,"},
    {"Friday,", "Vendredi,"},
    {"Saturday,", "Samedi,"},
    {"Sunday,", "Dimanche,"},

    {"January,", "Janvier,"},
    {"February,", "Fevrier,"},
    {"March,", "Mars,"},
    {"April,", "Avril,"},
    {"May,", "Mai,"},
    {"June,", "Juin,"},
    {"July,", "Juillet,"},
    {"August,", "Auot,"},
    {"September,", "Septembre,"},
    {"October,", "Octobre,"},
    {"November,", "Novembre,"},
    {"December,", "Decembre,"},

#include "config/marker_entries.inc"
};

// \xe8 is e grave.
const languagePhrases phrases = {
    "Pi\xe8" "ce jointe : %s.",
    "lien vers %s",
    "%s a \xe9" "crit :",
    "Message transf\xe9r\xe9 de %s.",
    "Message %1$s : de %2$s, %3$s.",
    "sur la liste %s",
    "chez %s",
    "Le message a \xe9t\xe9 envoy\xe9 le: %s.",
    "%s de %d lignes.",
    "lien",
    {
        "Non lus : %s.",
        " et ",
        "le texte cit\xe9",
        {"le message pr\xe9" "c\xe9" "dent", "les messages pr\xe9" "c\xe9" "dents"},
        {"une signature", "des signatures"},
        {"le pied de page de la liste", "les pieds de page de la liste"},
        {"une publicit\xe9", "des publicit\xe9s"},
        {"un avis d'abonnement", "des avis d'abonnement"},
        {"un avertissement juridique", "des avertissements juridiques"},
        {"une pi\xe8" "ce jointe", "des pi\xe8" "ces jointes"},
    },
};

// \xe0 is a grave, \xfb u circumflex.
const dateWords dates = {
    {"lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", "dimanche"},
    {"janvier", "f\xe9vrier", "mars", "avril", "mai", "juin", "juillet", "ao\xfbt", "septembre", "octobre",
     "novembre", "d\xe9" "cembre"},
    "1er",
    {nullptr, nullptr},
    "%A %d %B %Y \xe0 %H h %M",
    "%A %d %B %Y \xe0 %H h",
    "%A %d %B %Y",
};

// "leur" and "y" are pronouns as often, and end sentences.
const readingWords words = {
    " le la les l' un une des du de d' au aux \xe0 en dans sur sous par pour avec sans chez vers entre contre"
    " depuis pendant selon malgr\xe9 parmi envers et ou mais ni car que qu' si quand lorsque puisque comme parce"
    " tandis mon ma mes ton ta tes son sa ses notre nos votre vos leurs ce cet cette ces ",
    {"Un extrait de code", "Un journal", "Un diff", "Une trace d'appels", "Une session de terminal",
     "Un fichier de configuration", "Un vidage hexad\xe9" "cimal", "Un tableau de nombres"},
};

}  // namespace

extern const languageBuild frenchBuild = {{entries, sizeof entries / sizeof entries[0]}, phrases, dates, words};

}  // namespace postsift
