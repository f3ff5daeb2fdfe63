#include "filter/filterlist.h"

#include <cstring>

#include "support/ascii.h"
#include "support/log.h"
#include "support/reserved_names.h"

namespace postsift {
namespace {

struct ruleKeyword {
    const char* text;
    std::size_t length;
    ruleKind kind;
    bool wholeValue;  // the value must be the keyword alone
};

// Tested in this order; the first that applies decides the kind.
const ruleKeyword ruleKeywords[] = {
    {ruleRemoveLine, sizeof ruleRemoveLine - 1, REMOVE_LINE, true},
    {ruleRemoveWord, sizeof ruleRemoveWord - 1, REMOVE_WORD, true},
    {ruleReplaceLine, sizeof ruleReplaceLine - 1, REPLACE_LINE, false},
    {ruleReplaceWord, sizeof ruleReplaceWord - 1, REPLACE_WORD, false},
    {ruleRemoveSection, sizeof ruleRemoveSection - 1, REMOVE_SECTION, false},
    {ruleKeepSection, sizeof ruleKeepSection - 1, KEEP_SECTION, false},
};

const ruleKeyword* keywordOf(const char* value) {
    for (const ruleKeyword& keyword : ruleKeywords) {
        if (std::strncmp(value, keyword.text, keyword.length) != 0) continue;
        if (keyword.wholeValue && value[keyword.length] != '\0') continue;
        return &keyword;
    }
    return nullptr;
}

bool isSectionKind(ruleKind kind) { return kind == REMOVE_SECTION || kind == KEEP_SECTION; }

// Compares the lower-case form of `word` with `length` bytes of an already
// lower-case text; the word must end exactly there.
bool equalsFolded(const char* word, const char* lower, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (word[i] == '\0' || asciiLower(static_cast<unsigned char>(word[i])) !=
                                   static_cast<unsigned char>(lower[i]))
            return false;
    }
    return word[length] == '\0';
}

const char* skipBlanks(const char* word) {
    while (*word == ' ') ++word;
    return word;
}

}  // namespace

filterEntry::filterEntry(const char* key, const char* value) {
    complete_ = key_.assign(key) && classify(value, true);
    if (char* folded = key_.data()) {
        for (; *folded != '\0'; ++folded)
            *folded = static_cast<char>(asciiLower(static_cast<unsigned char>(*folded)));
    }
    noteChange();
}

filterEntry::~filterEntry() { noteChange(); }

bool filterEntry::classify(const char* value, bool onCreation) {
    const bool stored = storeClassified(value, onCreation);
    indexAlternatives();
    return stored;
}

bool filterEntry::storeClassified(const char* value, bool onCreation) {
    const ruleKeyword* keyword = keywordOf(value);
    kind_ = keyword != nullptr ? keyword->kind : PLAIN;
    if (keyword == nullptr || keyword->wholeValue) {
        condition_.release();
        return value_.assign(value);
    }
    const char* rest = value + keyword->length;
    if (isSectionKind(kind_)) {
        // A new entry keeps its whole value text; a replaced one keeps none.
        if (onCreation && !value_.assign(value)) return false;
        return condition_.assign(rest);
    }
    condition_.release();
    return value_.assign(rest);
}

// Header keywords are looked up against every symbol for every token of a
// message; the first and last bytes of the alternatives turn almost every
// word away without walking the value.
void filterEntry::indexAlternatives() {
    alternativeBytes_ = alternativeByteSets();
    const char* alternative = value_.get();
    if (alternative == nullptr) return;
    for (;;) {
        const char* bar = std::strchr(alternative, '|');
        const char* end = bar != nullptr ? bar : alternative + std::strlen(alternative);
        if (end == alternative) {
            alternativeBytes_.hasEmpty = true;
        } else {
            alternativeBytes_.add(alternativeBytes_.first, alternative[0]);
            alternativeBytes_.add(alternativeBytes_.last, end[-1]);
        }
        if (bar == nullptr) return;
        alternative = bar + 1;
    }
}

int filterEntry::replaceValue(const char* value) {
    noteChange();
    value_.release();
    if (value == nullptr) return 2;
    return classify(value, false) ? 0 : 2;
}

bool filterEntry::matchesKey(const char* word) const {
    if (word == nullptr || key_.isNull()) return false;
    return equalsFolded(word, key_.get(), key_.length());
}

bool filterEntry::matchesValue(const char* word) const {
    if (word == nullptr || value_.isNull()) return false;
    const std::size_t wordLength = std::strlen(word);
    if (wordLength == 0) return alternativeBytes_.hasEmpty;
    if (!alternativeBytes_.has(alternativeBytes_.first, word[0]) ||
        !alternativeBytes_.has(alternativeBytes_.last, word[wordLength - 1]))
        return false;
    // Each alternative, the empty one after a final '|' included, must equal
    // the whole word without regard to ASCII case.
    const char* alternative = value_.get();
    for (;;) {
        const char* bar = std::strchr(alternative, '|');
        const std::size_t length = bar != nullptr ? static_cast<std::size_t>(bar - alternative)
                                                  : std::strlen(alternative);
        std::size_t i = 0;
        while (i < length && word[i] != '\0' &&
               asciiLower(static_cast<unsigned char>(word[i])) ==
                   asciiLower(static_cast<unsigned char>(alternative[i])))
            ++i;
        if (i == length && word[i] == '\0') return true;
        if (bar == nullptr) return false;
        alternative = bar + 1;
    }
}

filterEntry* walkForKey(filterEntry* first, const char* word) {
    // Reject by length and first byte before comparing the whole key.
    const std::size_t length = std::strlen(word);
    const char firstFolded = static_cast<char>(asciiLower(static_cast<unsigned char>(word[0])));
    for (filterEntry* entry = first; entry != nullptr; entry = entry->next()) {
        if (entry->keyLength() != length || entry->key() == nullptr) continue;
        if (length > 0 && entry->key()[0] != firstFolded) continue;
        if (entry->matchesKey(word)) return entry;
    }
    return nullptr;
}

filterEntry* walkForAlternative(filterEntry* first, const char* word) {
    for (filterEntry* entry = first; entry != nullptr; entry = entry->next())
        if (entry->matchesValue(word)) return entry;
    return nullptr;
}

// The line of each search, with the word past its blanks; written only
// when the log's level asks for it.
void logExceptionSearch(const char* word, std::size_t length) {
    if (maxLevel >= 3)
        logMessage(3, "Undefined", "Undefined", "filterlist", logLine::exceptionSearch, 1, "Searching for exception '%.*s'",
                   static_cast<int>(length), word);
}

void logSymbolSearch(const char* word, std::size_t length) {
    if (maxLevel >= 3)
        logMessage(3, "Undefined", "Undefined", "filterlist", logLine::symbolSearch, 1, "Searching for symbol '%.*s'",
                   static_cast<int>(length), word);
}

filterEntry* findException(filterEntry* first, const char* word) {
    if (word == nullptr) return nullptr;
    word = skipBlanks(word);
    logExceptionSearch(word, std::strlen(word));
    return walkForKey(first, word);
}

filterEntry* findSymbol(filterEntry* first, const char* word) {
    if (word == nullptr) return nullptr;
    word = skipBlanks(word);
    logSymbolSearch(word, std::strlen(word));
    return walkForAlternative(first, word);
}

void destroyEntries(filterEntry* first) {
    while (first != nullptr) {
        filterEntry* next = first->next();
        delete first;
        first = next;
    }
}

}  // namespace postsift
