#include <cstring>

#include "email/email_scanner.h"
#include "filter/epost_sift.h"
#include "filter/option_value.h"
#include "support/ascii.h"
#include "reading/lines/keyword_format.h"
#include "support/reserved_names.h"

namespace postsift {
namespace {

// A replacement that starts with a full stop ends the sentence of the word
// before it: it attaches to a letter or digit, and after punctuation (or at
// the very start) it loses its full stop. This is how a line end keyed to
// ". " becomes a spoken sentence end.
bool appendReplacement(epostSift& filter, const char* replacement, std::size_t replacementLength) {
    if (replacement[0] != '.') return filter.filteredText.append(replacement, replacementLength);
    if (filter.filteredText.isNull())
        return replacement[1] == '\0' || filter.filteredText.assign(replacement + 1, replacementLength - 1);
    filter.trimFilteredText();
    const std::size_t length = filter.filteredText.length();
    const unsigned char last = length > 0 ? static_cast<unsigned char>(filter.filteredText.get()[length - 1]) : 0;
    const bool attaches = isAsciiLetter(last) || isAsciiDigit(last);
    return attaches ? filter.filteredText.append(replacement, replacementLength)
                    : filter.filteredText.append(replacement + 1, replacementLength - 1);
}

// A word rule's replacement. A keyword's phrase is no word rule: it speaks a
// header item ("This message was sent by: %s"), and "From:" or "Date:" in a
// line of text is read as written; so is any word its phrase would leave
// with nothing to say. Another kind's "%s" stands for nothing.
bool appendWordRule(epostSift& filter, const filterEntry& entry, const char* word, std::size_t length) {
    if (!holdsFilling(entry.value())) return appendReplacement(filter, entry.value(), entry.valueLength());
    if (entry.kind() == PLAIN) return filter.filteredText.append(word, length);
    ownedText said;
    return appendKeywordPhrase(said, entry.value(), "") && appendReplacement(filter, said.get(), said.length());
}

}  // namespace

int epostSift::addPlainText(const char* word, int isForwarded) {
    bodyStarted = 1;
    if (word == nullptr) return 0;
    beginHeaderItem(word, 0);
    const std::size_t length = tokenTextLength(word);
    // A word shorter than the boundary cannot hold it: most words are.
    if (!mimeBoundary.isNull() && length >= mimeBoundary.length() && std::strstr(word, mimeBoundary.get()) != nullptr)
        return 0;
    if (isForwarded != 0) {
        // Without the entry, or with no value, quoted text is spoken.
        const filterEntry* option = findFilterEntry(optionIncludeForwardedText);
        if (option != nullptr && option->value() != nullptr && !valueSaysTrue(*option)) return 0;
    }
    // Nothing of a section left out is spoken, whatever its words' rules.
    if (sectionRemoved != 0) return 2;
    if (currentFilterEntry != nullptr) {
        switch (currentFilterEntry->kind()) {
            case REMOVE_WORD: return 0;
            case PLAIN:
            case REPLACE_WORD: {
                if (currentFilterEntry->value() == nullptr) return 0;
                return appendWordRule(*this, *currentFilterEntry, word, length) ? 0 : 2;
            }
            default: return 2;  // a line or section rule drops just this word
        }
    }
    return filteredText.append(word, length) ? 0 : 2;
}

}  // namespace postsift
