// The filter's per-word searches go through indexes of its two lists. Here
// they are held to a plain walk of the lists, written out below, over random
// lists changed in random ways: through the configuration operations, and
// by hand, as tests and the operations themselves change entries in place.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "filter/epost_sift.h"
#include "filter/filterlist.h"
#include "support/reserved_names.h"

using namespace postsift;

namespace {

// The model: first entry in list order, ASCII letters folded, nothing else.
char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameFolded(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (folded(a[i]) != folded(b[i])) return false;
    return true;
}

std::string pastBlanks(const char* word) {
    while (*word == ' ') ++word;
    return word;
}

filterEntry* walkByKey(filterEntry* first, const std::string& word) {
    for (filterEntry* entry = first; entry != nullptr; entry = entry->next())
        if (entry->key() != nullptr && sameFolded(entry->key(), word)) return entry;
    return nullptr;
}

filterEntry* walkByAlternative(filterEntry* first, const std::string& word) {
    for (filterEntry* entry = first; entry != nullptr; entry = entry->next()) {
        if (entry->value() == nullptr) continue;
        const std::string value = entry->value();
        std::size_t start = 0;
        for (;;) {
            const std::size_t bar = value.find('|', start);
            if (sameFolded(value.substr(start, bar == std::string::npos ? std::string::npos : bar - start), word))
                return entry;
            if (bar == std::string::npos) break;
            start = bar + 1;
        }
    }
    return nullptr;
}

// Few bytes, so that keys, alternatives and words meet often: both cases of
// a letter, an accented letter in both cases (never folded), the blank that
// searches skip, the bar that splits values, a bracket.
class randomTexts {
public:
    explicit randomTexts(unsigned seed) : random_(seed) {}

    std::string piece(std::size_t longest) {
        static const char bytes[] = {'a', 'A', 'b', 'B', ':', ' ', '\xe9', '\xc9', '['};
        std::string text;
        for (std::size_t n = below(longest + 1); n > 0; --n) text += bytes[below(sizeof bytes)];
        return text;
    }
    std::string key() {
        if (below(8) == 0) return optionKeys[below(3)];
        return piece(3);
    }
    std::string value() {
        switch (below(8)) {
            case 0: return "[REMOVE WORD]";
            case 1: return "[KEEP SECTION] " + piece(2);  // no value left once replaced
            case 2: return "[REPLACE WORD]" + piece(2);
            default: {
                std::string text = piece(3);
                for (std::size_t n = below(4); n > 0; --n) text += '|' + piece(3);
                return text;
            }
        }
    }
    std::string word() {
        std::string text = piece(4);
        if (below(4) == 0) text = std::string(below(3), ' ') + text;
        return text;
    }
    std::size_t below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(random_); }

private:
    std::mt19937 random_;
};

std::vector<filterEntry*> entriesOf(filterEntry* first) {
    std::vector<filterEntry*> entries;
    for (filterEntry* entry = first; entry != nullptr; entry = entry->next()) entries.push_back(entry);
    return entries;
}

// One change of either list, as the library or a test would make it.
void change(epostSift& filter, randomTexts& random) {
    const bool symbols = random.below(2) == 0;
    filterEntry*& list = symbols ? filter.symbolTable : filter.filterList;
    const std::vector<filterEntry*> entries = entriesOf(list);
    const std::size_t what = random.below(10);
    if (what < 6 || entries.empty()) {
        // Adds, replaces or refuses; a null value removes.
        const std::string key = random.below(3) == 0 && !entries.empty() && entries[0]->key() != nullptr
                                    ? std::string(entries[random.below(entries.size())]->key())
                                    : random.key();
        const std::string value = random.value();
        const char* given = random.below(4) == 0 ? nullptr : value.c_str();
        if (symbols)
            filter.updateSymbolTable(key.c_str(), given);
        else
            filter.updateFilter(key.c_str(), given);
        return;
    }
    filterEntry* entry = entries[random.below(entries.size())];
    if (what == 6) {
        const std::string value = random.value();
        entry->replaceValue(random.below(4) == 0 ? nullptr : value.c_str());
    } else if (what == 7 && entries.size() > 1) {
        // An entry moves to the end, or the last one to the head: relinked
        // only, nothing made or destroyed.
        const std::size_t at = random.below(entries.size() - 1);
        if (random.below(2) == 0) {
            if (at == 0)
                list = entries[1];
            else
                entries[at - 1]->setNext(entries[at + 1]);
            entries.back()->setNext(entries[at]);
            entries[at]->setNext(nullptr);
        } else {
            entries[entries.size() - 2]->setNext(nullptr);
            entries.back()->setNext(list);
            list = entries.back();
        }
    } else if (what == 8) {
        // A new entry goes in by hand before a random one.
        const std::string key = random.key();
        const std::string value = random.value();
        auto* added = new filterEntry(key.c_str(), value.c_str());
        const std::size_t at = random.below(entries.size() + 1);
        added->setNext(at < entries.size() ? entries[at] : nullptr);
        if (at == 0)
            list = added;
        else
            entries[at - 1]->setNext(added);
    } else {
        // Unlinked and destroyed by hand; the next entry made may reuse its memory.
        const std::size_t at = random.below(entries.size());
        if (at == 0)
            list = entries[0]->next();
        else
            entries[at - 1]->setNext(entries[at]->next());
        if (filter.currentFilterEntry == entries[at]) filter.currentFilterEntry = nullptr;
        if (filter.currentSymbol == entries[at]) filter.currentSymbol = nullptr;
        delete entries[at];
    }
}

// Every search of the word that the operations make, against the walk.
void expectSearchesAgree(epostSift& filter, const std::string& word, int isForwarded, const std::string& context) {
    std::string looked = word;
    if (isForwarded != 0) looked.erase(0, looked.find_first_not_of("> "));
    looked = pastBlanks(looked.c_str());

    filter.beginHeaderItem(word.c_str(), isForwarded);
    ASSERT_EQ(filter.currentFilterEntry, walkByKey(filter.filterList, looked)) << context;
    ASSERT_EQ(filter.currentSymbol, walkByAlternative(filter.symbolTable, looked)) << context;
    ASSERT_EQ(filter.findFilterEntry(word.c_str()), walkByKey(filter.filterList, pastBlanks(word.c_str())))
        << context;
    // The options, asked for by the addresses of their reserved names, and
    // more names that never change than the index has places to remember.
    for (const char* option : optionKeys)
        ASSERT_EQ(filter.findFilterEntry(option), walkByKey(filter.filterList, option)) << context << option;
    static const char* const heldNames[] = {"a", "A", "b", "B", "ab", "Ab", "aB", "ba", ":", "a:", "b:", "\xe9",
                                            "\xc9", "[", "[a", "aa", "bb", "", "a\xe9", "B:", "::", "[b"};
    for (const char* name : heldNames) {
        ASSERT_EQ(reservedOption(filter, name), walkByKey(filter.filterList, name)) << context << " name '" << name << "'";
        ASSERT_EQ(reservedSymbol(filter, name), walkByKey(filter.symbolTable, name))
            << context << " symbol '" << name << "'";
    }
}

}  // namespace

TEST(EntryIndex, FindsWhatAWalkInListOrderFindsThroughRandomChanges) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        randomTexts random(seed);
        // Two filters changed in turn: a change to one must not leave the
        // other's index believing itself current, nor the other way round.
        epostSift filters[2];
        for (int step = 0; step < 600; ++step) {
            epostSift& filter = filters[random.below(2)];
            if (random.below(3) == 0) change(filter, random);
            const std::string word = random.below(6) == 0 ? std::string(random.below(3), '>') + " " + random.word()
                                                          : random.word();
            const std::string context = "seed " + std::to_string(seed) + ", step " + std::to_string(step) +
                                        ", word '" + word + "'";
            for (epostSift& each : filters) {
                expectSearchesAgree(each, word, static_cast<int>(random.below(2)), context);
                if (::testing::Test::HasFatalFailure()) return;
            }
        }
    }
}

TEST(EntryIndex, AnEntryChangedInPlaceIsFoundByItsNewValueOnly) {
    epostSift filter;
    ASSERT_EQ(filter.updateSymbolTable("[SENDER]", "De:|From:"), 0);
    ASSERT_EQ(filter.updateSymbolTable("[DATE]", "Date:|Envoy\xe9:"), 0);
    filter.beginHeaderItem("FROM:", 0);
    EXPECT_EQ(filter.currentSymbol, filter.symbolTable);
    // Refused for a symbol, so the value is changed where it stands.
    filter.symbolTable->replaceValue("Von:|From:x");
    filter.beginHeaderItem("FROM:", 0);
    EXPECT_EQ(filter.currentSymbol, nullptr);
    filter.beginHeaderItem("von:", 0);
    EXPECT_EQ(filter.currentSymbol, filter.symbolTable);
    // An accented capital is not folded: only the value's own spelling matches.
    filter.beginHeaderItem("ENVOY\xc9:", 0);
    EXPECT_EQ(filter.currentSymbol, nullptr);
    filter.beginHeaderItem("ENVOY\xe9:", 0);
    EXPECT_EQ(filter.currentSymbol, filter.symbolTable->next());
}
