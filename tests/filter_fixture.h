#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "filter/filterlist.h"
#include "filter/epost_sift.h"

namespace postsift {

inline std::string textOf(const char* text) { return text == nullptr ? "<null>" : text; }

// A bare filter whose lists the test fills entry by entry, in order, and
// whose grammar operations the test calls as the parser would.
class filterFixture : public ::testing::Test {
protected:
    filterFixture() { filter.bodyStarted = 0; }  // as at the start of a run

    filterEntry* rule(const char* key, const char* value) { return append(filter.filterList, key, value); }
    filterEntry* symbol(const char* key, const char* value) { return append(filter.symbolTable, key, value); }
    // An entry that exists but has no value.
    filterEntry* valuelessRule(const char* key) {
        filterEntry* entry = rule(key, "placeholder");
        entry->replaceValue(nullptr);
        return entry;
    }

    // One header item: keyword, content words, end of line.
    int item(const char* keyword, std::initializer_list<const char*> words, int isForwarded = 0) {
        filter.beginHeaderItem(keyword, isForwarded);
        for (const char* word : words) filter.addHeaderItemWord(word, isForwarded);
        return filter.completeHeaderItem();
    }

    void body(std::initializer_list<const char*> words, int isForwarded = 0) {
        for (const char* word : words) filter.addPlainText(word, isForwarded);
    }

    std::string text() const { return textOf(filter.filteredText.get()); }
    std::string itemText() const { return textOf(filter.headerItemText.get()); }

    epostSift filter;

private:
    static filterEntry* append(filterEntry*& head, const char* key, const char* value) {
        auto* entry = new filterEntry(key, value);
        if (head == nullptr) {
            head = entry;
        } else {
            filterEntry* last = head;
            while (last->next() != nullptr) last = last->next();
            last->setNext(entry);
        }
        return entry;
    }
};

}  // namespace postsift
