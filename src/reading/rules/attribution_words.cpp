#include "reading/rules/attribution_words.h"

#include "reading/lines/line_text.h"

namespace postsift {

// \xe9 is e acute, \xf3 o acute.
const char* const attributionEndings[] = {
    " wrote:", " writes:", " a \xe9" "crit :", " a \xe9" "crit:", " a ecrit :",
    " a ecrit:", " avez \xe9" "crit :", " avez \xe9" "crit:", " avez ecrit :", " avez ecrit:", " as \xe9" "crit :",
    " as \xe9" "crit:", " as ecrit :", " as ecrit:", " schrieb:", " schrieben:", " schriebst:", " geschrieben:",
    " het volgende geschreven:", " geschreven:", " schreef:", " skrev:", " napisal:", " napisala:", " escribi\xf3:",
    " escribio:", " ha scritto:", " escreveu:",
};
const std::size_t attributionEndingCount = sizeof attributionEndings / sizeof attributionEndings[0];

const char* const spokenEndings[] = {" said:", " says:", " mentioned:"};
const std::size_t spokenEndingCount = sizeof spokenEndings / sizeof spokenEndings[0];

const char* const attributionVerbs[] = {" schrieb ", " skrev ", " schreef "};
const std::size_t attributionVerbCount = sizeof attributionVerbs / sizeof attributionVerbs[0];

// Both are asked of many words, most of them of other lengths than theirs.
bool isReaderAddressed(const char* word, std::size_t length) {
    if (length < 2 || length > 4) return false;
    static const char* const pronouns[] = {"you", "vous", "tu", "sie", "du"};
    for (const char* pronoun : pronouns)
        if (equalsFolded(word, word + length, pronoun)) return true;
    return false;
}

bool isNameIntroduction(const char* word, std::size_t length) {
    return (length == 5 && equalsFolded(word, word + length, "heeft")) ||
           (length == 10 && equalsFolded(word, word + length, "uzytkownik"));
}

}  // namespace postsift
