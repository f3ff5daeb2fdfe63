#include "reading/rules/attribution_words.h"

#include "reading/lines/line_text.h"

namespace postsift {

// \xe9 is e acute, \xf3 o acute.
constexpr const char* attributionEndings[] = {
    " wrote:", " writes:", " a \xe9" "crit :", " a \xe9" "crit:", " a ecrit :",
    " a ecrit:", " avez \xe9" "crit :", " avez \xe9" "crit:", " avez ecrit :", " avez ecrit:", " as \xe9" "crit :",
    " as \xe9" "crit:", " as ecrit :", " as ecrit:", " schrieb:", " schrieben:", " schriebst:", " geschrieben:",
    " het volgende geschreven:", " geschreven:", " schreef:", " skrev:", " napisal:", " napisala:", " escribi\xf3:",
    " escribio:", " ha scritto:", " escreveu:",
};

constexpr const char* spokenEndings[] = {" said:", " says:", " mentioned:"};

constexpr const char* attributionVerbs[] = {" schrieb ", " skrev ", " schreef "};

// The counts are given in the header, where the look-ups by byte size
// their tables: a list one entry short of its count would end in a null.
static_assert(attributionEndings[attributionEndingCount - 1] != nullptr, "attributionEndingCount too large");
static_assert(spokenEndings[spokenEndingCount - 1] != nullptr, "spokenEndingCount too large");
static_assert(attributionVerbs[attributionVerbCount - 1] != nullptr, "attributionVerbCount too large");
// The verbs are found in one walk back over a text, at its blanks.
static_assert(
    [] {
        for (const char* verb : attributionVerbs)
            if (verb[0] != ' ' || verb[1] == '\0') return false;
        return true;
    }(),
    "every verb begins with a blank");

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
