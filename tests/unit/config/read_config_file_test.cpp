// The configuration file: one entry per line, key, TABs, value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build_files.h"
#include "language_builds.h"
#include "filter/filterlist.h"
#include "filter/epost_sift.h"
#include "scratch_file.h"

using namespace postsift;

namespace {

struct entryView {
    std::string key;
    ruleKind kind;
    std::string value;  // "<null>" when absent
    bool operator==(const entryView& other) const {
        return key == other.key && kind == other.kind && value == other.value;
    }
};

std::ostream& operator<<(std::ostream& out, const entryView& entry) {
    return out << "{" << testing::PrintToString(entry.key) << ", " << entry.kind << ", "
               << testing::PrintToString(entry.value) << "}";
}

std::vector<entryView> entriesOf(const filterEntry* entry) {
    std::vector<entryView> entries;
    for (; entry != nullptr; entry = entry->next())
        entries.push_back({entry->key(), entry->kind(), entry->value() != nullptr ? entry->value() : "<null>"});
    return entries;
}

using entries = std::vector<entryView>;

int indexOf(const filterEntry* entry, const char* key) {
    for (int index = 0; entry != nullptr; entry = entry->next(), ++index)
        if (entry->matchesKey(key)) return index;
    return -1;
}

const filterEntry* lastOf(const filterEntry* entry) {
    while (entry != nullptr && entry->next() != nullptr) entry = entry->next();
    return entry;
}

int lengthOf(const filterEntry* entry) {
    int length = 0;
    for (; entry != nullptr; entry = entry->next()) ++length;
    return length;
}

}  // namespace

TEST(ReadConfigFile, SplitsEachLineAtItsRunOfTabs) {
    scratchFile file("cfg_split.cfg",
                     "Lun,\tLundi,\n"
                     "FWD:\t\t\tTransf\xe9r\xe9:\n"
                     // Everything after the run is the value, later TABs and blanks included.
                     "Mar,\t\t Mardi,\tmatin \n"
                     "Vide\t\t\n"
                     ":-)\t[REMOVE WORD]\n"
                     "Content-type:\t[KEEP SECTION] text/plain\n");
    epostSift filter;
    EXPECT_EQ(filter.readConfigFile(file.path()), 0);
    EXPECT_EQ(entriesOf(filter.filterList), (entries{
                                                {"lun,", PLAIN, "Lundi,"},
                                                {"fwd:", PLAIN, "Transf\xe9r\xe9:"},
                                                {"mar,", PLAIN, " Mardi,\tmatin "},
                                                {"vide", PLAIN, ""},
                                                {":-)", REMOVE_WORD, "[REMOVE WORD]"},
                                                {"content-type:", KEEP_SECTION, "[KEEP SECTION] text/plain"},
                                            }));
    EXPECT_STREQ(filter.filterList->next()->next()->next()->next()->next()->condition(), " text/plain");
    EXPECT_EQ(filter.symbolTable, nullptr);
}

TEST(ReadConfigFile, AKeyAloneRemovesItsEntry) {
    scratchFile file("cfg_remove.cfg",
                     "Lun,\n"
                     "Absent\n"
                     "[SENDER]\n"
                     "[SENDER]\tVon:|From:\n");
    epostSift filter;
    filter.updateFilter("Lun,", "Lundi,");
    filter.updateFilter("Mar,", "Mardi,");
    filter.updateFilter("[SENDER]", "De:|From:");
    filter.updateFilter("[DATE]", "Date:");
    EXPECT_EQ(filter.readConfigFile(file.path()), 0);
    EXPECT_EQ(entriesOf(filter.filterList), (entries{{"mar,", PLAIN, "Mardi,"}}));
    EXPECT_EQ(entriesOf(filter.symbolTable),
              (entries{{"[date]", PLAIN, "Date:"}, {"[sender]", PLAIN, "Von:|From:"}}));
}

TEST(ReadConfigFile, BlanksBelongToTheKey) {
    scratchFile file("cfg_blanks.cfg", "Lun, \tLundi,\n Mar,\tMardi,\n");
    epostSift filter;
    filter.readConfigFile(file.path());
    EXPECT_EQ(entriesOf(filter.filterList), (entries{{"lun, ", PLAIN, "Lundi,"}, {" mar,", PLAIN, "Mardi,"}}));
    // A message word never carries a trailing blank: this key is never found.
    EXPECT_EQ(findException(filter.filterList, "Lun,"), nullptr);
}

TEST(ReadConfigFile, OptionKeysCountOnlyWithTheirCapitals) {
    scratchFile file("cfg_options.cfg",
                     "[include email address]\ttrue\n"
                     "[INCLUDE FORWARDED TEXT]\ttrue\n");
    epostSift filter;
    installBuiltIns(filter, frenchBuild.table);
    const int options = indexOf(filter.filterList, "[INCLUDE EMAIL ADDRESS]");
    const int symbols = lengthOf(filter.symbolTable);
    filter.readConfigFile(file.path());

    const filterEntry* address = findException(filter.filterList, "[INCLUDE EMAIL ADDRESS]");
    ASSERT_NE(address, nullptr);
    EXPECT_STREQ(address->value(), "false");
    const filterEntry* text = findException(filter.filterList, "[INCLUDE FORWARDED TEXT]");
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text->value(), "true");
    EXPECT_EQ(indexOf(filter.filterList, "[INCLUDE FORWARDED TEXT]"), options + 2);

    // The lower-case line defined a symbol of that name instead.
    EXPECT_EQ(lengthOf(filter.symbolTable), symbols + 1);
    EXPECT_STREQ(lastOf(filter.symbolTable)->key(), "[include email address]");
}

TEST(ReadConfigFile, CrlfInTheFileIsTheLineEndWordNotASymbol) {
    scratchFile file("cfg_crlf.cfg", "[CRLF]\t. \n[crlf]\tx\n");
    epostSift filter;
    filter.readConfigFile(file.path());
    EXPECT_EQ(entriesOf(filter.filterList), (entries{{"\n", PLAIN, ". "}}));
    // Only the exact name is translated.
    EXPECT_EQ(entriesOf(filter.symbolTable), (entries{{"[crlf]", PLAIN, "x"}}));
}

TEST(ReadConfigFile, ABuiltInKeyIsRedefinedInPlace) {
    scratchFile file("cfg_builtin.cfg", "FWD:\tSuivi:\n[INCLUDE EMAIL ADDRESS]\ttrue\n");
    epostSift filter;
    installBuiltIns(filter, frenchBuild.table);
    const int fwd = indexOf(filter.filterList, "FWD:");
    const int option = indexOf(filter.filterList, "[INCLUDE EMAIL ADDRESS]");
    const int length = lengthOf(filter.filterList);
    ASSERT_GE(fwd, 0);
    ASSERT_GE(option, 0);

    filter.readConfigFile(file.path());
    EXPECT_EQ(lengthOf(filter.filterList), length);
    EXPECT_EQ(indexOf(filter.filterList, "FWD:"), fwd);
    EXPECT_STREQ(findException(filter.filterList, "FWD:")->value(), "Suivi:");
    EXPECT_EQ(indexOf(filter.filterList, "[INCLUDE EMAIL ADDRESS]"), option);
    EXPECT_STREQ(findException(filter.filterList, "[INCLUDE EMAIL ADDRESS]")->value(), "true");
}

TEST(ReadConfigFile, TheHeaderTemplateChangesOnlyAfterItsRemoval) {
    epostSift refused;
    installBuiltIns(refused, germanBuild.table);
    const std::string builtIn = findException(refused.symbolTable, "[HEADER]")->value();
    scratchFile once("cfg_header_once.cfg", "[HEADER]\t{[SENDER] ? [SENDER]| niemand}.\n");
    refused.readConfigFile(once.path());
    EXPECT_EQ(findException(refused.symbolTable, "[HEADER]")->value(), builtIn);

    epostSift replaced;
    installBuiltIns(replaced, germanBuild.table);
    const int symbols = lengthOf(replaced.symbolTable);
    scratchFile twice("cfg_header_twice.cfg", "[HEADER]\n[HEADER]\t{[SENDER] ? [SENDER]| niemand}.\n");
    replaced.readConfigFile(twice.path());
    EXPECT_EQ(lengthOf(replaced.symbolTable), symbols);
    EXPECT_STREQ(lastOf(replaced.symbolTable)->key(), "[header]");
    EXPECT_STREQ(lastOf(replaced.symbolTable)->value(), "{[SENDER] ? [SENDER]| niemand}.");
}

TEST(ReadConfigFile, TheLastLineLosesNothingWithoutALineFeed) {
    scratchFile valued("cfg_last_value.cfg", "Lun,\tLundi,\nMar,\tMardi,");
    epostSift filter;
    filter.readConfigFile(valued.path());
    EXPECT_EQ(entriesOf(filter.filterList), (entries{{"lun,", PLAIN, "Lundi,"}, {"mar,", PLAIN, "Mardi,"}}));

    // A key alone at the end still names the whole key.
    scratchFile removal("cfg_last_key.cfg", "Lun,");
    filter.readConfigFile(removal.path());
    EXPECT_EQ(entriesOf(filter.filterList), (entries{{"mar,", PLAIN, "Mardi,"}}));
}

TEST(ReadConfigFile, ALongLineIsOneEntry) {
    const std::string value(1995, 'v');
    const std::string key(1500, 'k');
    scratchFile file("cfg_long.cfg", "Long\t" + value + "\n" + key + "\tx\nAfter\ty\n");
    epostSift filter;
    EXPECT_EQ(filter.readConfigFile(file.path()), 0);
    EXPECT_EQ(entriesOf(filter.filterList),
              (entries{{"long", PLAIN, value}, {key, PLAIN, "x"}, {"after", PLAIN, "y"}}));
}

TEST(ReadConfigFile, ALongHeaderTemplateIsKeptWhole) {
    std::string longTemplate = "{[SENDER] ? Vous avez re\xe7u un message de [SENDER]| Exp\xe9" "diteur inconnu}.";
    while (longTemplate.size() < 1200) longTemplate += " {[SUBJECT] ? Objet: [SUBJECT]| Sans objet}.";
    scratchFile file("cfg_long_header.cfg", "[HEADER]\n[HEADER]\t" + longTemplate + "\r\n");
    epostSift filter;
    installBuiltIns(filter, frenchBuild.table);
    filter.readConfigFile(file.path());
    EXPECT_EQ(std::string(findException(filter.symbolTable, "[HEADER]")->value()), longTemplate);
}

TEST(ReadConfigFile, CarriageReturnsBeforeLineFeedsAreNotPartOfTheEntry) {
    scratchFile file("cfg_crlf_ends.cfg", "Lun,\tLundi,\r\nMar,\r\nMer,\t\r\nJeu,\ta\rb\r\n");
    epostSift filter;
    filter.updateFilter("Mar,", "Mardi,");
    filter.readConfigFile(file.path());
    EXPECT_EQ(entriesOf(filter.filterList),
              (entries{{"lun,", PLAIN, "Lundi,"}, {"mer,", PLAIN, ""}, {"jeu,", PLAIN, "a\rb"}}));
}

TEST(ReadConfigFile, AnEmptyLineRemovesOnlyAnEmptyKey) {
    scratchFile file("cfg_empty_lines.cfg", "\n\tsans cl\xe9\nLun,\tLundi,\n\n");
    epostSift filter;
    filter.readConfigFile(file.path());
    EXPECT_EQ(entriesOf(filter.filterList), (entries{{"lun,", PLAIN, "Lundi,"}}));

    scratchFile kept("cfg_empty_kept.cfg", "\tsans cl\xe9\n");
    filter.readConfigFile(kept.path());
    EXPECT_EQ(entriesOf(filter.filterList), (entries{{"lun,", PLAIN, "Lundi,"}, {"", PLAIN, "sans cl\xe9"}}));
}

TEST(ReadConfigFile, AFileThatCannotBeReadLeavesTheFilterAsItWas) {
    epostSift filter;
    filter.updateFilter("Lun,", "Lundi,");
    EXPECT_EQ(filter.readConfigFile(nullptr), -1);
    EXPECT_EQ(filter.readConfigFile("cfg_no_such_file.cfg"), -1);
    EXPECT_EQ(entriesOf(filter.filterList), (entries{{"lun,", PLAIN, "Lundi,"}}));

    scratchFile empty("cfg_empty.cfg", "");
    EXPECT_EQ(filter.readConfigFile(empty.path()), 0);
    EXPECT_EQ(entriesOf(filter.filterList), (entries{{"lun,", PLAIN, "Lundi,"}}));
}

TEST(ReadConfigFile, TheSampleDoesWhatTheReadmeSays) {
    epostSift filter;
    installBuiltIns(filter, frenchBuild.table);
    const int length = lengthOf(filter.filterList);
    const int contentType = indexOf(filter.filterList, "Content-type:");
    ASSERT_EQ(filter.readConfigFile(buildFile("tests/unit/config/sample.cfg").c_str()), 0);

    // Seven new rules and six options, one built-in removed, two restated
    // in place ("TR:" is a marker of the build).
    EXPECT_EQ(lengthOf(filter.filterList), length + 12);
    EXPECT_EQ(findException(filter.filterList, "Tues,"), nullptr);
    EXPECT_EQ(indexOf(filter.filterList, "Content-type:"), contentType);
    const filterEntry* last = filter.filterList;
    for (int i = 0; i < length - 1; ++i) last = last->next();
    EXPECT_EQ(entriesOf(last), (entries{
                                   {"lun.", PLAIN, "Lundi,"},
                                   {"cordialement", REPLACE_WORD, "Bien cordialement"},
                                   {";-p", REMOVE_WORD, "[REMOVE WORD]"},
                                   {"x-mailer:", REMOVE_LINE, "[REMOVE LINE]"},
                                   {"organization:", REPLACE_LINE, "Le message vient de: %s"},
                                   {"content-disposition:", REMOVE_SECTION, "[REMOVE SECTION] attachment"},
                                   {"\n", PLAIN, ". "},
                                   {"[speak links]", PLAIN, "true"},
                                   {"[drop signature]", PLAIN, "true"},
                                   {"[drop signed armour]", PLAIN, "true"},
                                   {"[squeeze reply markers]", PLAIN, "true"},
                                   {"[drop attribution]", PLAIN, "true"},
                                   {"[find original message]", PLAIN, "true"},
                               }));
    EXPECT_STREQ(findException(filter.filterList, "[INCLUDE EMAIL ADDRESS]")->value(), "true");
    EXPECT_STREQ(findException(filter.filterList, "Content-Disposition:")->condition(), " attachment");

    // The three redefined symbols now close the table.
    const filterEntry* sender = filter.symbolTable;
    while (sender != nullptr && !sender->matchesKey("[SENDER]")) sender = sender->next();
    ASSERT_NE(sender, nullptr);
    EXPECT_EQ(entriesOf(sender),
              (entries{
                  {"[sender]", PLAIN, "De:|From:|Von:"},
                  {"[forwarded section]", PLAIN, "Voici le message transf\xe9r\xe9."},
                  {"[header]", PLAIN,
                   "{[SENDER] ? Message de [SENDER]| Message d'un exp\xe9"
                   "diteur inconnu}. {[SUBJECT] ? Objet: [SUBJECT]| Sans objet}. "},
              }));
}

// A file finds each key's place without walking the lists; the lists must
// come out as the same lines given one by one, each with a walk, leave them.
TEST(ReadConfigFile, RandomFilesLeaveTheListsAsLineByLineUpdates) {
    const char* const keys[] = {"Lun,", "LUN,", "lun,", "Mar,", "De:", "de:", "x", "[SENDER]", "[sender]",
                                "[HEADER]", "[BODY]", "[Z]", "[INCLUDE EMAIL ADDRESS]", "[include email address]"};
    const char* const values[] = {"Lundi,", "[REMOVE WORD]", "[REPLACE LINE]a %s", "[KEEP SECTION] text/plain", "true", ""};
    unsigned seed = 12345;
    auto next = [&seed](unsigned bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % bound;
    };
    for (int round = 0; round < 200; ++round) {
        std::string text;
        epostSift byLine;
        if (round % 2 == 0) installBuiltIns(byLine, frenchBuild.table);
        const int lines = 1 + static_cast<int>(next(40));
        for (int i = 0; i < lines; ++i) {
            const char* key = keys[next(sizeof keys / sizeof *keys)];
            if (next(4) == 0) {
                text += std::string(key) + "\n";  // a key alone removes
                byLine.updateFilter(key, nullptr);
            } else {
                const char* value = values[next(sizeof values / sizeof *values)];
                text += std::string(key) + "\t" + value + "\n";
                byLine.updateFilter(key, value);
            }
        }
        epostSift fromFile;
        if (round % 2 == 0) installBuiltIns(fromFile, frenchBuild.table);
        scratchFile file("cfg_random.cfg", text);
        ASSERT_EQ(fromFile.readConfigFile(file.path()), 0);
        ASSERT_EQ(entriesOf(fromFile.filterList), entriesOf(byLine.filterList)) << text;
        ASSERT_EQ(entriesOf(fromFile.symbolTable), entriesOf(byLine.symbolTable)) << text;
    }
}
