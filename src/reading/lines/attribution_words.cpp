#include "reading/lines/attribution_words.h"

#include <cstring>
#include <string>
#include <unordered_set>

#include "reading/lines/message_line.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// Windows-1252 bytes in lower case: \xe0 a grave, \xe4 a umlaut, \xe5 a
// ring, \xe7 c cedilla, \xe8 e grave, \xe9 e acute, \xec i grave, \xed i
// acute, \xf3 o acute, \xf6 o umlaut, \xf8 o slash, \xfb u circumflex.
// Letters that Windows-1252 lacks (Polish) arrive as their closest ASCII
// letter, so those words are listed as such.
const char* const monthNames[] = {
    // English
    "january", "february", "march", "april", "may", "june", "july", "august", "september", "october", "november",
    "december", "jan", "feb", "mar", "apr", "jun", "jul", "aug", "sep", "sept", "oct", "nov", "dec",
    // French
    "janvier", "f\xe9vrier", "fevrier", "mars", "avril", "mai", "juin", "juillet", "ao\xfbt", "aout", "septembre",
    "octobre", "novembre", "d\xe9" "cembre", "decembre", "janv", "f\xe9vr", "fevr", "avr", "juil", "d\xe9" "c",
    // German
    "januar", "februar", "m\xe4rz", "maerz", "juni", "juli", "oktober", "dezember", "j\xe4n", "m\xe4r", "mrz", "okt",
    "dez",
    // Dutch
    "januari", "februari", "maart", "mei", "augustus", "mrt",
    // Swedish, Norwegian, Danish
    "maj", "augusti", "marts", "desember", "des",
    // Polish, nominative and genitive
    "stycznia", "lutego", "marca", "kwietnia", "maja", "czerwca", "lipca", "sierpnia", "wrzesnia", "pazdziernika",
    "listopada", "grudnia", "styczen", "luty", "marzec", "kwiecien", "czerwiec", "lipiec", "sierpien", "wrzesien",
    "pazdziernik", "listopad", "grudzien", "sty", "lut", "kwi", "cze", "lip", "sie", "wrz", "paz", "lis", "gru",
    // Spanish
    "enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre", "setiembre", "octubre",
    "noviembre", "diciembre", "ene", "abr", "ago", "dic",
    // Italian
    "gennaio", "febbraio", "aprile", "maggio", "giugno", "luglio", "settembre", "ottobre", "dicembre", "gen", "mag",
    "giu", "lug", "set", "ott",
    // Portuguese
    "janeiro", "fevereiro", "mar\xe7o", "marco", "maio", "junho", "julho", "setembro", "outubro", "novembro",
    "dezembro", "fev", "out",
};

const char* const otherDateWords[] = {
    // Days, in the same languages.
    "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday", "mon", "tue", "tues", "wed", "thu",
    "thur", "thurs", "fri", "sat", "sun", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", "dimanche",
    "lun", "mer", "jeu", "ven", "sam", "dim", "montag", "dienstag", "mittwoch", "donnerstag", "freitag", "samstag",
    "sonntag", "mo", "di", "mi", "do", "fr", "sa", "so", "maandag", "dinsdag", "woensdag", "donderdag", "vrijdag",
    "zaterdag", "zondag", "ma", "wo", "vr", "za", "zo", "m\xe5ndag", "mandag", "tisdag", "tirsdag", "onsdag",
    "torsdag", "fredag", "l\xf6rdag", "l\xf8rdag", "s\xf6ndag", "s\xf8ndag", "poniedzialek", "wtorek", "sroda",
    "czwartek", "piatek", "sobota", "niedziela", "pon", "wt", "sr", "czw", "pt", "sob", "niedz", "lunes", "martes",
    "mi\xe9rcoles", "miercoles", "jueves", "viernes", "s\xe1" "bado", "sabado", "domingo", "mi\xe9", "mie", "jue",
    "vie", "s\xe1" "b", "dom", "luned\xec", "lunedi", "marted\xec", "martedi", "mercoled\xec", "mercoledi",
    "gioved\xec", "giovedi", "venerd\xec", "venerdi", "sabato", "domenica", "gio", "segunda", "ter\xe7" "a", "terca",
    "quarta", "quinta", "sexta", "seg", "ter", "qua", "qui", "sex",
    // The words that introduce a date and join its parts.
    "on", "le", "am", "op", "den", "w", "dniu", "el", "il", "giorno", "em", "at", "\xe0", "a", "um", "om", "kl",
    "klo", "alle", "ore", "las", "\xe0s", "as", "de", "del", "the", "h", "o", "godz", "pm", "p", "m",
};

// Words after which a wording names the writer.
const char* const nameIntroductions[] = {"heeft", "uzytkownik"};

bool isDigit(char c) { return isAsciiDigit(static_cast<unsigned char>(c)); }

// The word without a trailing ',', '.' or ';' and a Portuguese "-feira".
std::size_t bareLength(const char* word, std::size_t length) {
    while (length > 0 && (word[length - 1] == ',' || word[length - 1] == '.' || word[length - 1] == ';')) --length;
    if (length > 6 && startsWithFolded(word + length - 6, word + length, "-feira")) length -= 6;
    return length;
}

// Asked of the first words of many lines: a set, built once, answers at the
// cost of folding the word.
using wordSet = std::unordered_set<std::string>;

template <std::size_t count>
void addAll(wordSet& set, const char* const (&list)[count]) {
    for (const char* word : list) set.emplace(word);
}

const wordSet& months() {
    static const wordSet set = [] {
        wordSet made;
        addAll(made, monthNames);
        return made;
    }();
    return set;
}

const wordSet& dateWords() {
    static const wordSet set = [] {
        wordSet made;
        addAll(made, monthNames);
        addAll(made, otherDateWords);
        return made;
    }();
    return set;
}

bool inSet(const wordSet& set, const char* word, std::size_t length) {
    if (length > 16) return false;  // longer than any of the words
    std::string folded(word, length);
    for (char& c : folded) c = static_cast<char>(asciiLower(static_cast<unsigned char>(c)));
    return set.count(folded) != 0;
}

bool inList(const char* word, std::size_t length, const char* const* list, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (std::strlen(list[i]) == length && startsWithFolded(word, word + length, list[i])) return true;
    }
    return false;
}

}  // namespace

const char* const attributionEndings[] = {
    " wrote:", " writes:", " a \xe9" "crit :", " a \xe9" "crit:", " a ecrit :", " a ecrit:", " schrieb:",
    " geschrieben:", " het volgende geschreven:", " geschreven:", " schreef:", " skrev:", " napisal:", " napisala:", " escribi\xf3:", " escribio:",
    " ha scritto:", " escreveu:",
};
const std::size_t attributionEndingCount = sizeof attributionEndings / sizeof attributionEndings[0];

const char* const attributionVerbs[] = {" schrieb ", " skrev ", " schreef "};
const std::size_t attributionVerbCount = sizeof attributionVerbs / sizeof attributionVerbs[0];

bool isMonthName(const char* word, std::size_t length) { return inSet(months(), word, bareLength(word, length)); }

bool isFigureDateOrTime(const char* word, std::size_t length) {
    length = bareLength(word, length);
    std::size_t digits = 0;
    std::size_t groups = 0;
    bool inGroup = false;
    for (std::size_t i = 0; i < length; ++i) {
        if (isDigit(word[i])) {
            ++digits;
            if (!inGroup) ++groups;
            inGroup = true;
        } else if (std::strchr(":./-h", word[i]) != nullptr && i > 0 && i + 1 < length) {
            inGroup = false;
        } else {
            return false;
        }
    }
    // A time or a date has two groups or more; a lone number is a year.
    return groups >= 2 || (groups == 1 && digits == 4);
}

bool isDateWord(const char* word, std::size_t length) {
    const std::size_t bare = bareLength(word, length);
    if (bare == 0) return true;  // a lone comma or full stop between them
    for (std::size_t i = 0; i < bare; ++i)
        if (isDigit(word[i])) return true;
    return inSet(dateWords(), word, bare);
}

bool isNameIntroduction(const char* word, std::size_t length) {
    return inList(word, length, nameIntroductions, sizeof nameIntroductions / sizeof nameIntroductions[0]);
}

}  // namespace postsift
