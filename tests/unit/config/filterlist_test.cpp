#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "filter/filterlist.h"
#include "filter/epost_sift.h"

using namespace postsift;

namespace {

// A list built from (key, value) pairs, freed with the test.
struct entryList {
    explicit entryList(const std::vector<std::pair<const char*, const char*>>& pairs) {
        filterEntry* last = nullptr;
        for (const auto& [key, value] : pairs) {
            auto* entry = new filterEntry(key, value);
            if (last == nullptr)
                first = entry;
            else
                last->setNext(entry);
            last = entry;
        }
    }
    ~entryList() { destroyEntries(first); }
    filterEntry* at(int index) const {
        filterEntry* entry = first;
        while (index-- > 0) entry = entry->next();
        return entry;
    }
    filterEntry* first = nullptr;
};

std::string textOf(const char* text) { return text == nullptr ? "<null>" : text; }

}  // namespace

TEST(FilterEntryKind, ClassifiesTheRuleKeywordsOnCreation) {
    struct expectation {
        const char* value;
        ruleKind kind;
        const char* storedValue;
        const char* condition;
    };
    const expectation cases[] = {
        {"Lundi,", PLAIN, "Lundi,", nullptr},
        {"[REMOVE LINE]", REMOVE_LINE, "[REMOVE LINE]", nullptr},
        {"[REMOVE WORD]", REMOVE_WORD, "[REMOVE WORD]", nullptr},
        // A keyword followed by anything, or in lower case, is a plain replacement.
        {"[REMOVE LINE]x", PLAIN, "[REMOVE LINE]x", nullptr},
        {"[REMOVE WORD] ", PLAIN, "[REMOVE WORD] ", nullptr},
        {"[remove line]", PLAIN, "[remove line]", nullptr},
        {"[REPLACE LINE]Hello", REPLACE_LINE, "Hello", nullptr},
        {"[REPLACE LINE] Hello", REPLACE_LINE, " Hello", nullptr},
        {"[REPLACE WORD]", REPLACE_WORD, "", nullptr},
        {"[REMOVE SECTION] text/html", REMOVE_SECTION, "[REMOVE SECTION] text/html", " text/html"},
        {"[KEEP SECTION] text/plain", KEEP_SECTION, "[KEEP SECTION] text/plain", " text/plain"},
        {"", PLAIN, "", nullptr},
    };
    for (const expectation& c : cases) {
        filterEntry entry("key", c.value);
        EXPECT_EQ(entry.kind(), c.kind) << c.value;
        EXPECT_EQ(textOf(entry.value()), textOf(c.storedValue)) << c.value;
        EXPECT_EQ(textOf(entry.condition()), textOf(c.condition)) << c.value;
    }
}

TEST(FilterEntryKind, ReplacementReclassifiesAndKeepsNoValueForSections) {
    filterEntry entry("Content-type:", "Lundi,");
    EXPECT_EQ(entry.replaceValue("[KEEP SECTION] text/plain"), 0);
    EXPECT_EQ(entry.kind(), KEEP_SECTION);
    EXPECT_EQ(entry.value(), nullptr);
    EXPECT_EQ(textOf(entry.condition()), " text/plain");

    EXPECT_EQ(entry.replaceValue("[REPLACE WORD]Mardi,"), 0);
    EXPECT_EQ(entry.kind(), REPLACE_WORD);
    EXPECT_EQ(textOf(entry.value()), "Mardi,");

    EXPECT_EQ(entry.replaceValue(""), 0);
    EXPECT_EQ(entry.kind(), PLAIN);
    EXPECT_EQ(textOf(entry.value()), "");

    // A null value empties the entry and is refused.
    EXPECT_EQ(entry.replaceValue(nullptr), 2);
    EXPECT_EQ(entry.value(), nullptr);
}

TEST(FilterEntryKey, IsHeldInLowerCaseAsciiOnly) {
    filterEntry entry("Re\xe7u:\xc9X", "v");
    // 'ç' (231) and 'É' (201) are not ASCII and keep their case.
    EXPECT_EQ(textOf(entry.key()), "re\xe7u:\xc9x");
}

TEST(FilterEntryKey, MatchesWholeWordWithoutRegardToAsciiCase) {
    filterEntry entry("Lun,", "Lundi,");
    EXPECT_TRUE(entry.matchesKey("Lun,"));
    EXPECT_TRUE(entry.matchesKey("LUN,"));
    EXPECT_TRUE(entry.matchesKey("lUn,"));
    EXPECT_FALSE(entry.matchesKey("Lun"));
    EXPECT_FALSE(entry.matchesKey("Lun, "));
    EXPECT_FALSE(entry.matchesKey("Lun,x"));
    EXPECT_FALSE(entry.matchesKey(""));
    EXPECT_FALSE(entry.matchesKey(nullptr));
}

TEST(FilterEntryKey, NeverFoldsBytesAbove127) {
    filterEntry entry("Re\xe7u:", "v");  // Reçu:
    EXPECT_TRUE(entry.matchesKey("RE\xe7U:"));
    EXPECT_FALSE(entry.matchesKey("RE\xc7U:"));  // capital Ç
    // 0xC1 - 0x20 would be 0xA1: folding must not subtract from high bytes.
    filterEntry high("\xc1", "v");
    EXPECT_FALSE(high.matchesKey("\xe1"));
    EXPECT_TRUE(high.matchesKey("\xc1"));
}

TEST(FilterEntryValue, MatchesEachAlternativeExactly) {
    filterEntry symbol("[DATE]", "Date:|Envoy\xe9:|Re\xe7u:");
    EXPECT_TRUE(symbol.matchesValue("Date:"));
    EXPECT_TRUE(symbol.matchesValue("date:"));
    EXPECT_TRUE(symbol.matchesValue("ENVOY\xe9:"));
    EXPECT_TRUE(symbol.matchesValue("Re\xe7u:"));  // the last alternative is tested too
    EXPECT_FALSE(symbol.matchesValue("Date"));
    EXPECT_FALSE(symbol.matchesValue("Date: "));
    EXPECT_FALSE(symbol.matchesValue("Date:|Envoy\xe9:"));
    EXPECT_FALSE(symbol.matchesValue(""));

    filterEntry single("[SUBJECT]", "Subject:");
    EXPECT_TRUE(single.matchesValue("SUBJECT:"));
    EXPECT_FALSE(single.matchesValue("Subject"));

    filterEntry mixedCaseValue("[SENDER]", "De:|FROM:");
    EXPECT_TRUE(mixedCaseValue.matchesValue("from:"));
}

TEST(FilterEntryValue, EmptyAlternativesMatchOnlyTheEmptyWord) {
    filterEntry trailing("[X]", "a:|");
    EXPECT_TRUE(trailing.matchesValue(""));
    EXPECT_TRUE(trailing.matchesValue("A:"));
    filterEntry middle("[X]", "a:||b:");
    EXPECT_TRUE(middle.matchesValue(""));
    EXPECT_TRUE(middle.matchesValue("b:"));
    filterEntry none("[X]", "a:|b:");
    EXPECT_FALSE(none.matchesValue(""));
}

TEST(FilterEntryValue, ANewValueIsMatchedByItsOwnAlternativesOnly) {
    filterEntry entry("[X]", "a:");
    ASSERT_EQ(entry.replaceValue("Bb:|\xe9" "c|"), 0);
    EXPECT_TRUE(entry.matchesValue("bB:"));
    EXPECT_TRUE(entry.matchesValue("\xe9" "C"));
    EXPECT_TRUE(entry.matchesValue(""));
    EXPECT_FALSE(entry.matchesValue("a:"));
    EXPECT_FALSE(entry.matchesValue("\xc9" "c"));
    ASSERT_EQ(entry.replaceValue("a:"), 0);
    EXPECT_FALSE(entry.matchesValue(""));
    EXPECT_FALSE(entry.matchesValue("bb:"));
}

TEST(FilterEntryValue, SectionEntriesAfterReplacementHaveNoValueToMatch) {
    filterEntry entry("[X]", "a:");
    entry.replaceValue("[KEEP SECTION] a:");
    EXPECT_FALSE(entry.matchesValue("a:"));
}

TEST(Searches, FindTheFirstMatchInListOrder) {
    entryList list({{"Mon,", "first"}, {"MON,", "second"}, {"Tue,", "third"}});
    EXPECT_EQ(findException(list.first, "mon,"), list.at(0));
    EXPECT_EQ(findException(list.first, "   TUE,"), list.at(2));  // leading blanks skipped
    EXPECT_EQ(findException(list.first, "\tTue,"), nullptr);       // only blanks are skipped
    EXPECT_EQ(findException(list.first, "Wed,"), nullptr);
    EXPECT_EQ(findException(list.first, nullptr), nullptr);
    EXPECT_EQ(findException(nullptr, "Mon,"), nullptr);

    entryList symbols({{"[SENDER]", "De:|From:"}, {"[OTHER]", "From:|Von:"}, {"[DATE]", "Date:"}});
    EXPECT_EQ(findSymbol(symbols.first, "FROM:"), symbols.at(0));
    EXPECT_EQ(findSymbol(symbols.first, "von:"), symbols.at(1));
    EXPECT_EQ(findSymbol(symbols.first, "  Date:"), symbols.at(2));
    EXPECT_EQ(findSymbol(symbols.first, "Datum:"), nullptr);
    EXPECT_EQ(findSymbol(symbols.first, nullptr), nullptr);
}

TEST(BeginHeaderItem, LooksTheKeywordUpInBothLists) {
    epostSift filter;
    filter.filterList = new filterEntry("De:", "Le message a \xe9t\xe9 envoy\xe9 par: %s");
    filter.symbolTable = new filterEntry("[SENDER]", "De:|From:");

    EXPECT_EQ(filter.beginHeaderItem("DE:", 0), 0);
    EXPECT_EQ(filter.currentFilterEntry, filter.filterList);
    EXPECT_EQ(filter.currentSymbol, filter.symbolTable);

    EXPECT_EQ(filter.beginHeaderItem("From:", 0), 0);
    EXPECT_EQ(filter.currentFilterEntry, nullptr);
    EXPECT_EQ(filter.currentSymbol, filter.symbolTable);

    EXPECT_EQ(filter.beginHeaderItem("Subject:", 0), 0);
    EXPECT_EQ(filter.currentFilterEntry, nullptr);
    EXPECT_EQ(filter.currentSymbol, nullptr);
}

TEST(BeginHeaderItem, SkipsTheQuotingOfForwardedKeywordsOnly) {
    epostSift filter;
    filter.filterList = new filterEntry("De:", "x %s");
    filter.symbolTable = new filterEntry("[SENDER]", "De:|From:");

    filter.beginHeaderItem("> >> De:", 1);
    EXPECT_EQ(filter.currentFilterEntry, filter.filterList);
    EXPECT_EQ(filter.currentSymbol, filter.symbolTable);

    filter.beginHeaderItem("> >> De:", 0);
    EXPECT_EQ(filter.currentFilterEntry, nullptr);
    EXPECT_EQ(filter.currentSymbol, nullptr);
}

TEST(BeginHeaderItem, EmptyListsGiveNoEntries) {
    epostSift filter;
    filter.currentFilterEntry = reinterpret_cast<filterEntry*>(1);
    filter.currentSymbol = reinterpret_cast<filterEntry*>(1);
    filter.beginHeaderItem("De:", 0);
    EXPECT_EQ(filter.currentFilterEntry, nullptr);
    EXPECT_EQ(filter.currentSymbol, nullptr);
}
