#pragma once
#include <cstddef>
#include <cstring>

#include "filter/entry_index.h"
#include "support/ascii.h"
#include "support/log.h"
#include "support/owned_text.h"

namespace postsift {

// What an entry's value does to the word, line or section it is keyed by.
enum ruleKind : int {
    PLAIN = 0,
    REMOVE_LINE = 1,
    REMOVE_WORD = 2,
    REPLACE_LINE = 3,
    REPLACE_WORD = 4,
    REMOVE_SECTION = 5,
    KEEP_SECTION = 6,
};

// One node of a filter list or a symbol table: a key (held in lower case),
// its value classified into a rule kind, and the texts that header handling
// and template evaluation keep per symbol.
class filterEntry {
public:
    filterEntry(const char* key, const char* value);
    ~filterEntry();
    filterEntry(const filterEntry&) = delete;
    filterEntry& operator=(const filterEntry&) = delete;

    // False when a text of the entry could not be allocated.
    bool isComplete() const { return complete_; }

    const char* key() const { return key_.get(); }
    std::size_t keyLength() const { return key_.length(); }
    const char* value() const { return value_.get(); }
    std::size_t valueLength() const { return value_.length(); }
    const char* condition() const { return condition_.get(); }
    ruleKind kind() const { return kind_; }
    filterEntry* next() const { return next_; }
    void setNext(filterEntry* next) {
        next_ = next;
        noteChange();
    }

    bool matchesKey(const char* word) const;
    bool matchesValue(const char* word) const;
    int replaceValue(const char* value);

    const char* headerText() const { return headerText_.get(); }
    bool setHeaderText(const char* text) { return headerText_.assign(text); }
    void clearHeaderText() { headerText_.release(); }

    // Template evaluation keeps its working state in the entry that holds the
    // template; the template evaluator reaches these directly.
    ownedText& templateResult() { return templateResult_; }
    ownedText& thenText() { return thenText_; }
    ownedText& elseText() { return elseText_; }
    ownedText& conditionSymbol() { return conditionSymbol_; }
    filterEntry* templateSymbols() const { return templateSymbols_; }
    void setTemplateSymbols(filterEntry* symbols) { templateSymbols_ = symbols; }
    void clearTemplateResult() { templateResult_.release(); }

    // Evaluates a header summary template into templateResult; returns it.
    const char* evaluateTemplate(const char* templateText, std::size_t length, filterEntry* symbols);

private:
    // Every change that a search could see is counted for the indexes.
    static void noteChange() { entryChanges::note(); }

    // Folded first and last bytes of the value's '|' alternatives.
    struct alternativeByteSets {
        unsigned char first[32] = {};
        unsigned char last[32] = {};
        bool hasEmpty = false;

        static unsigned folded(char byte) { return asciiLower(static_cast<unsigned char>(byte)); }
        static void add(unsigned char (&set)[32], char byte) {
            set[folded(byte) >> 3] = static_cast<unsigned char>(set[folded(byte) >> 3] | (1u << (folded(byte) & 7)));
        }
        static bool has(const unsigned char (&set)[32], char byte) {
            return (set[folded(byte) >> 3] >> (folded(byte) & 7)) & 1u;
        }
    };

    bool classify(const char* value, bool onCreation);
    bool storeClassified(const char* value, bool onCreation);
    void indexAlternatives();

    ownedText key_;
    ownedText value_;
    ownedText condition_;
    ownedText headerText_;
    ownedText templateResult_;
    ownedText thenText_;
    ownedText elseText_;
    ownedText conditionSymbol_;
    ruleKind kind_ = PLAIN;
    filterEntry* next_ = nullptr;
    filterEntry* templateSymbols_ = nullptr;
    bool complete_ = true;
    alternativeByteSets alternativeBytes_;
};

// Searches over a list given by its first entry; the first match in list
// order wins. Leading blanks of the word are skipped.
filterEntry* findException(filterEntry* first, const char* word);
filterEntry* findSymbol(filterEntry* first, const char* word);

// The same searches, with the same answer and log line, through an index
// of the list that `first` heads: for the searches made for every word of a
// message. The word is made once (makeSearchWord) for both lists.
void logExceptionSearch(const char* word, std::size_t length);
void logSymbolSearch(const char* word, std::size_t length);
inline filterEntry* findException(filterEntry* first, const searchWord& word, entryIndex& index) {
    if (maxLevel >= 3) logExceptionSearch(word.text, word.length);
    return index.find(first, word);
}
inline filterEntry* findSymbol(filterEntry* first, const searchWord& word, entryIndex& index) {
    if (maxLevel >= 3) logSymbolSearch(word.text, word.length);
    return index.find(first, word);
}
// findException for a reserved name that the program holds (an option key
// of reserved_names.h, by its address, never with leading blanks), with the
// same answer and log line.
inline filterEntry* findReservedName(filterEntry* first, const char* name, entryIndex& index) {
    if (maxLevel >= 3) logExceptionSearch(name, std::strlen(name));
    return index.findReservedName(first, name);
}

// The walks behind the searches, over a word whose blanks are skipped
// already; no log line.
filterEntry* walkForKey(filterEntry* first, const char* word);
filterEntry* walkForAlternative(filterEntry* first, const char* word);

// Destroys every entry of a list, iteratively (a long list must not recurse).
void destroyEntries(filterEntry* first);

}  // namespace postsift
