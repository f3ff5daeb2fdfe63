// Adding, replacing and removing entries, and which list a key goes to.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter/filterlist.h"
#include "filter/epost_sift.h"

using namespace postsift;

namespace {

std::vector<std::string> keysOf(const filterEntry* entry) {
    std::vector<std::string> keys;
    for (; entry != nullptr; entry = entry->next()) keys.push_back(entry->key());
    return keys;
}

using keys = std::vector<std::string>;

}  // namespace

TEST(UpdateFilterRouting, OnlyBracketedKeysOtherThanTheExactOptionsBecomeSymbols) {
    epostSift filter;
    EXPECT_EQ(filter.updateFilter("[INCLUDE EMAIL ADDRESS]", "false"), 0);
    EXPECT_EQ(filter.updateFilter("[INCLUDE FORWARDED HEADERS]", "false"), 0);
    EXPECT_EQ(filter.updateFilter("[INCLUDE FORWARDED TEXT]", "true"), 0);
    // Written in another case, an option key is just another symbol name.
    EXPECT_EQ(filter.updateFilter("[include email address]", "true"), 0);
    EXPECT_EQ(filter.updateFilter("[Include Forwarded Text]", "true"), 0);
    // Only the first character decides; a bracket further in is a word.
    EXPECT_EQ(filter.updateFilter("x[y]", "z"), 0);
    EXPECT_EQ(filter.updateFilter(" [SENDER]", "De:"), 0);
    // The engine has no line-end translation: its "[CRLF]" is a symbol.
    EXPECT_EQ(filter.updateFilter("[CRLF]", ". "), 0);

    EXPECT_EQ(keysOf(filter.filterList), (keys{"[include email address]", "[include forwarded headers]",
                                               "[include forwarded text]", "x[y]", " [sender]"}));
    EXPECT_EQ(keysOf(filter.symbolTable), (keys{"[include email address]", "[include forwarded text]", "[crlf]"}));
}

TEST(UpdateFilterRouting, ANullKeyChangesNothing) {
    epostSift filter;
    filter.updateFilter("Lun,", "Lundi,");
    filter.updateFilter("[BODY]", "Voici.");
    EXPECT_EQ(filter.updateFilter(nullptr, "x"), 2);
    EXPECT_EQ(filter.updateFilter(nullptr, nullptr), 2);
    EXPECT_EQ(filter.updateSymbolTable(nullptr, "x"), 2);
    EXPECT_EQ(keysOf(filter.filterList), (keys{"lun,"}));
    EXPECT_EQ(keysOf(filter.symbolTable), (keys{"[body]"}));
}

TEST(UpdateFilterList, ARepeatedKeyTakesTheNewValueInPlace) {
    epostSift filter;
    filter.updateFilter("Lun,", "Lundi,");
    filter.updateFilter("FWD:", "Transfert:");
    filter.updateFilter("Mar,", "Mardi,");

    // Found whatever the case of its ASCII letters; the stored key stays.
    EXPECT_EQ(filter.updateFilter("fwd:", "[REPLACE WORD]Suivi:"), 0);
    EXPECT_EQ(keysOf(filter.filterList), (keys{"lun,", "fwd:", "mar,"}));
    const filterEntry* fwd = filter.filterList->next();
    EXPECT_EQ(fwd->kind(), REPLACE_WORD);
    EXPECT_STREQ(fwd->value(), "Suivi:");

    EXPECT_EQ(filter.updateFilter("FWD:", "[REMOVE SECTION] text/html"), 0);
    EXPECT_EQ(fwd->kind(), REMOVE_SECTION);
    EXPECT_STREQ(fwd->condition(), " text/html");
    EXPECT_EQ(keysOf(filter.filterList), (keys{"lun,", "fwd:", "mar,"}));
}

TEST(UpdateFilterList, AccentedCapitalsAreOtherKeys) {
    epostSift filter;
    filter.updateFilter("Re\xe7u:", "a");
    EXPECT_EQ(filter.updateFilter("RE\xc7U:", "b"), 0);
    EXPECT_EQ(keysOf(filter.filterList), (keys{"re\xe7u:", "re\xc7u:"}));
    EXPECT_STREQ(filter.filterList->value(), "a");
}

TEST(UpdateFilterList, RemovalUnlinksFromAnyPlace) {
    epostSift filter;
    for (const char* key : {"a", "b", "c", "d"}) filter.updateFilter(key, "x");

    EXPECT_EQ(filter.updateFilter("B", nullptr), 0);
    EXPECT_EQ(keysOf(filter.filterList), (keys{"a", "c", "d"}));
    EXPECT_EQ(filter.updateFilter("a", nullptr), 0);
    EXPECT_EQ(keysOf(filter.filterList), (keys{"c", "d"}));
    EXPECT_EQ(filter.updateFilter("d", nullptr), 0);
    EXPECT_EQ(keysOf(filter.filterList), (keys{"c"}));
    // A later entry goes after the last one left, not after a removed one.
    EXPECT_EQ(filter.updateFilter("e", "x"), 0);
    EXPECT_EQ(keysOf(filter.filterList), (keys{"c", "e"}));

    // A key that is not there: refused while the list has entries...
    EXPECT_EQ(filter.updateFilter("zz", nullptr), 2);
    EXPECT_EQ(keysOf(filter.filterList), (keys{"c", "e"}));
    filter.updateFilter("c", nullptr);
    EXPECT_EQ(filter.updateFilter("e", nullptr), 0);
    EXPECT_EQ(filter.filterList, nullptr);
    // ...and answered 0 once it is empty.
    EXPECT_EQ(filter.updateFilter("zz", nullptr), 0);
    EXPECT_EQ(filter.updateFilter("[BODY]", nullptr), 0);
}

TEST(UpdateSymbolTable, TheFirstDefinitionStaysUntilRemoved) {
    epostSift filter;
    filter.updateFilter("[SENDER]", "De:|From:");
    filter.updateFilter("[DATE]", "Date:");

    EXPECT_EQ(filter.updateFilter("[sender]", "Von:"), 2);
    EXPECT_STREQ(filter.symbolTable->value(), "De:|From:");

    // Removed and added again, it goes to the end of the table.
    EXPECT_EQ(filter.updateFilter("[SENDER]", nullptr), 0);
    EXPECT_EQ(filter.updateFilter("[SENDER]", "Von:"), 0);
    EXPECT_EQ(keysOf(filter.symbolTable), (keys{"[date]", "[sender]"}));
    EXPECT_STREQ(filter.symbolTable->next()->value(), "Von:");

    EXPECT_EQ(filter.updateFilter("[SUBJECT]", nullptr), 2);
    EXPECT_EQ(keysOf(filter.symbolTable), (keys{"[date]", "[sender]"}));
}

TEST(UpdateSymbolTable, TakesAnyKeyWhenCalledDirectly) {
    epostSift filter;
    EXPECT_EQ(filter.updateSymbolTable("Plain", "v"), 0);
    EXPECT_EQ(filter.updateSymbolTable("[INCLUDE EMAIL ADDRESS]", "true"), 0);
    EXPECT_EQ(keysOf(filter.symbolTable), (keys{"plain", "[include email address]"}));
    EXPECT_EQ(filter.filterList, nullptr);
}

TEST(UpdateFilterList, RemovingTheEntryOfTheLastLookupForgetsIt) {
    epostSift filter;
    filter.updateFilter("De:", "Le message a \xe9t\xe9 envoy\xe9 par: %s");
    filter.updateFilter("Lun,", "Lundi,");
    filter.updateFilter("[SENDER]", "De:|From:");
    filter.updateFilter("[DATE]", "Date:");
    filter.beginHeaderItem("De:", 0);
    ASSERT_EQ(filter.currentFilterEntry, filter.filterList);
    ASSERT_EQ(filter.currentSymbol, filter.symbolTable);

    // Other entries leave the lookup alone.
    filter.updateFilter("Lun,", nullptr);
    filter.updateFilter("[DATE]", nullptr);
    EXPECT_EQ(filter.currentFilterEntry, filter.filterList);
    EXPECT_EQ(filter.currentSymbol, filter.symbolTable);

    filter.updateFilter("DE:", nullptr);
    filter.updateFilter("[SENDER]", nullptr);
    EXPECT_EQ(filter.currentFilterEntry, nullptr);
    EXPECT_EQ(filter.currentSymbol, nullptr);
}
