// What each language build holds after its built-in entries are installed.
// The expectations are typed here in UTF-8 and turned into Windows-1252 by
// the helper below, independently of how the tables spell their bytes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "language_builds.h"
#include "filter/filterlist.h"
#include "filter/epost_sift.h"

using namespace postsift;

namespace {

// UTF-8 text of the Latin-1 range to single bytes.
std::string cp1252(const std::string& utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else {
            const unsigned char second = static_cast<unsigned char>(utf8[++i]);
            bytes += static_cast<char>(((c & 0x03) << 6) | (second & 0x3f));
        }
    }
    return bytes;
}

struct expectedEntry {
    const char* key;  // lower case, UTF-8
    ruleKind kind;
    const char* value;  // UTF-8
};

struct builtinView {
    std::string key;
    ruleKind kind;
    std::string value;
    bool operator==(const builtinView& other) const {
        return key == other.key && kind == other.kind && value == other.value;
    }
};

std::ostream& operator<<(std::ostream& out, const builtinView& entry) {
    return out << "{" << testing::PrintToString(entry.key) << ", " << entry.kind << ", "
               << testing::PrintToString(entry.value) << "}";
}

std::vector<builtinView> viewsOf(const filterEntry* entry) {
    std::vector<builtinView> views;
    for (; entry != nullptr; entry = entry->next())
        views.push_back({entry->key(), entry->kind(), entry->value() != nullptr ? entry->value() : "<null>"});
    return views;
}

void add(std::vector<builtinView>& views, std::initializer_list<expectedEntry> entries) {
    for (const expectedEntry& entry : entries) views.push_back({cp1252(entry.key), entry.kind, cp1252(entry.value)});
}

// The emoticons as the filter list holds them: folded, so ":-O" and "<G>"
// fell onto ":-o" and "<g>", and without "[:-|]" and "[:-)", which went to
// the symbol table.
const char* const droppedWords = R"~~(
    (r) (c) :-) :-( :-] :) ;) :-#| :( :-> :-< :-\ :-\\ (-: >:-< :-| :-o :-c |-) |-o
    :-# :-% :-& :-'| :-)' :-)8 :-* :-/ :-: :-? :-@ (:i :-[ *:o) +-(:-) .-) <:i @:i
    8-# 8:-) }(:-( :-{ :-{( :-} :-6 :-8( :-9 :-d :-e :-i :-p :-t :-v ::-) 8-) :<|
    :=) :>) :~) ;-) %-) (-) (:-) )8-) *-( *<|:-) -:-) ;-\ ;-\\ =:-) o-) 8-| {(:-)
    {:-) <g>
)~~";

void addDroppedWords(std::vector<builtinView>& views) {
    std::istringstream words(droppedWords);
    std::string word;
    while (words >> word) views.push_back({word, REMOVE_WORD, "[REMOVE WORD]"});
}

// The reply and forward markers that every build says as its own reply or
// forward word, in the order installed: each build's own markers first,
// where they stand, then these. "VS:" is a forward (see the table).
struct marker {
    const char* key;  // lower case, UTF-8
    bool reply;
};
const marker markers[] = {
    {"re:", true},      {"aw:", true},     {"réf:", true},   {"sv:", true},  {"antw:", true},
    {"antwort:", true}, {"r:", true},      {"rif:", true},   {"odp:", true}, {"vá:", true},
    {"ynt:", true},     {"fwd:", false},   {"fw:", false},   {"tr:", false}, {"wg:", false},
    {"doorst:", false}, {"rv:", false},    {"enc:", false},  {"vs:", false}, {"vb:", false},
};

// The markers that the list does not hold yet, added at its end.
void addMarkers(std::vector<builtinView>& views, const char* reply, const char* forwarded) {
    for (const marker& m : markers) {
        const std::string key = cp1252(m.key);
        bool held = false;
        for (const builtinView& view : views) held = held || view.key == key;
        if (!held) views.push_back({key, PLAIN, cp1252(m.reply ? reply : forwarded)});
    }
}

void addOptionsOff(std::vector<builtinView>& views) {
    add(views, {
                   {"[include email address]", PLAIN, "false"},
                   {"[include forwarded headers]", PLAIN, "false"},
                   {"[include forwarded text]", PLAIN, "false"},
               });
}

// Counts the installation calls on their way to the real operation.
class countingFilter : public epostSift {
public:
    int updateFilter(const char* key, const char* value) override {
        calls.emplace_back(key);
        return epostSift::updateFilter(key, value);
    }
    std::vector<std::string> calls;
};

const char frenchTemplate[] =
    "{[SENDER] ? Vous avez reçut un message de [SENDER]| Vous avez reçut un message d'un expéditeur "
    "inconnu}, {[DATE] ? du [DATE]| non daté}. {[SUBJECT] ? L'objet de ce message est: [SUBJECT]| "
    "L'objet de ce message est: non précisé}. ";

const char germanTemplate[] =
    "{[SENDER] ? [SENDER] hat ihnen| unbekannt hat ihnen} {[DATE] ? am [DATE]|ohne Datum} eine Nachricht "
    "geschickt. {[SUBJECT] ? Der Betreff dieser Nachricht ist: [SUBJECT]| Der Betreff dieser Nachricht "
    "ist: nicht vorhanden}.";

}  // namespace

TEST(FrenchBuiltIns, InstallsOneHundredFiftySixEntriesInOrder) {
    countingFilter filter;
    installBuiltIns(filter, frenchBuild.table);
    ASSERT_EQ(filter.calls.size(), 156u);
    EXPECT_EQ(frenchBuild.table.count, 156u);
    // "Date:" comes a second time with the English keywords.
    EXPECT_EQ(filter.calls[2], "Date:");
    EXPECT_EQ(filter.calls[104], "Subject:");
    EXPECT_EQ(filter.calls[106], "Date:");
    EXPECT_EQ(filter.calls[135], "December,");
}

TEST(FrenchBuiltIns, FilterListHoldsEveryRuleOnceInOrder) {
    epostSift filter;
    installBuiltIns(filter, frenchBuild.table);

    std::vector<builtinView> expected;
    add(expected, {
                      {"objet:", PLAIN, "L'objet de ce message est: %s"},
                      {"de:", PLAIN, "Le message a été envoyé par: %s"},
                      {"date:", PLAIN, "Le message a été reçu le: %s"},
                      {"reçu:", PLAIN, "Le message a été reçu le: %s"},
                      {"envoyé:", PLAIN, "Le message a été reçu le: %s"},
                      {"content-type:", KEEP_SECTION, "[KEEP SECTION] text/plain"},
                      {"lun,", PLAIN, "Lundi,"},
                      {"mar,", PLAIN, "Mardi,"},
                      {"mer,", PLAIN, "Mercredi,"},
                      {"jeu,", PLAIN, "Jeudi,"},
                      {"ven,", PLAIN, "Vendredi,"},
                      {"sam,", PLAIN, "Samedi,"},
                      {"dim,", PLAIN, "Dimanche,"},
                      {"fwd", PLAIN, "Transféré:"},
                      {"re:", PLAIN, "Réponse:"},
                  });
    addDroppedWords(expected);
    addOptionsOff(expected);
    add(expected, {
                      {"subject:", PLAIN, "L'objet de ce message est: %s"},
                      {"from:", PLAIN, "Le message a été envoyé par: %s"},
                      {"mon,", PLAIN, "Lundi,"},
                      {"tue,", PLAIN, "Mardi,"},
                      {"tues,", PLAIN, "Mardi,"},
                      {"wed,", PLAIN, "Mercredi,"},
                      {"thu,", PLAIN, "Jeudi,"},
                      {"fri,", PLAIN, "Vendredi,"},
                      {"sat,", PLAIN, "Samedi,"},
                      {"sun,", PLAIN, "Dimanche,"},
                      {"fwd:", PLAIN, "Transféré:"},
                      {"fw:", PLAIN, "Transféré:"},
                      {"monday,", PLAIN, "Lundi,"},
                      {"tuesday,", PLAIN, "Mardi,"},
                      {"wednesday,", PLAIN, "Mercredi,"},
                      {"thursday,", PLAIN, "Jeudi,"},
                      {"friday,", PLAIN, "Vendredi,"},
                      {"saturday,", PLAIN, "Samedi,"},
                      {"sunday,", PLAIN, "Dimanche,"},
                      {"january,", PLAIN, "Janvier,"},
                      {"february,", PLAIN, "Fevrier,"},
                      {"march,", PLAIN, "Mars,"},
                      {"april,", PLAIN, "Avril,"},
                      {"may,", PLAIN, "Mai,"},
                      {"june,", PLAIN, "Juin,"},
                      {"july,", PLAIN, "Juillet,"},
                      {"august,", PLAIN, "Auot,"},
                      {"september,", PLAIN, "Septembre,"},
                      {"october,", PLAIN, "Octobre,"},
                      {"november,", PLAIN, "Novembre,"},
                      {"december,", PLAIN, "Decembre,"},
                  });
    addMarkers(expected, "Réponse:", "Transféré:");
    ASSERT_EQ(expected.size(), 141u);
    EXPECT_EQ(viewsOf(filter.filterList), expected);

    // The one section rule keeps its condition, blank included.
    const filterEntry* contentType = findException(filter.filterList, "CONTENT-TYPE:");
    ASSERT_NE(contentType, nullptr);
    EXPECT_STREQ(contentType->condition(), " text/plain");
    // Found in either case of its ASCII letters, at its first place.
    EXPECT_EQ(findException(filter.filterList, "DATE:"), filter.filterList->next()->next());
}

TEST(FrenchBuiltIns, SymbolTableHoldsTheKeywordListsPhrasesAndTemplate) {
    epostSift filter;
    installBuiltIns(filter, frenchBuild.table);
    std::vector<builtinView> expected;
    add(expected, {
                      {"[:-|]", REMOVE_WORD, "[REMOVE WORD]"},
                      {"[:-)", REMOVE_WORD, "[REMOVE WORD]"},
                      {"[forwarded section]", PLAIN, "Le text suivante etait transféré."},
                      {"[crlf]", PLAIN, ". "},
                      {"[subject]", PLAIN, "Subject:|Objet:"},
                      {"[date]", PLAIN, "Date:|Envoyé:|Reçu:"},
                      {"[sender]", PLAIN, "De:|From:"},
                      {"[header]", PLAIN, frenchTemplate},
                      {"[body]", PLAIN, "Le contenu du message est le suivant."},
                  });
    EXPECT_EQ(viewsOf(filter.symbolTable), expected);
}

TEST(GermanBuiltIns, InstallsOneHundredThirtyFiveEntriesInOrder) {
    countingFilter filter;
    installBuiltIns(filter, germanBuild.table);
    ASSERT_EQ(filter.calls.size(), 135u);
    EXPECT_EQ(germanBuild.table.count, 135u);
    EXPECT_EQ(filter.calls[13], "Betreff:");
    EXPECT_EQ(filter.calls[27], "(R)");
    EXPECT_EQ(filter.calls[114], "[BODY]");
}

TEST(GermanBuiltIns, FilterListHoldsEveryRuleOnceInOrder) {
    epostSift filter;
    installBuiltIns(filter, germanBuild.table);

    std::vector<builtinView> expected;
    add(expected, {
                      {"subject:", PLAIN, "Betreff dieser Nachricht: %s"},
                      {"from:", PLAIN, "Nachricht gesendet von: %s"},
                      {"date:", PLAIN, "Nachricht erhalten am: %s"},
                      {"content-type:", KEEP_SECTION, "[KEEP SECTION] text/plain"},
                      {"mon,", PLAIN, "Montag,"},
                      {"tue,", PLAIN, "Dienstag,"},
                      {"wed,", PLAIN, "Mittwoch,"},
                      {"thu,", PLAIN, "Donnerstag,"},
                      {"fri,", PLAIN, "Freitag,"},
                      {"sat,", PLAIN, "Samstag,"},
                      {"sun,", PLAIN, "Sonntag,"},
                      {"fwd:", PLAIN, "Weitergeleitet:"},
                      {"re:", PLAIN, "Antwort:"},
                      {"betreff:", PLAIN, "Betreff dieser Nachricht: %s"},
                      {"von:", PLAIN, "Nachricht gesendet von: %s"},
                      {"datum:", PLAIN, "Nachricht erhalten am: %s"},
                      {"gesendet am:", PLAIN, "Nachricht erhalten am: %s"},
                      {"sent:", PLAIN, "Nachricht erhalten am: %s"},
                      {"mo,", PLAIN, "Montag,"},
                      {"di,", PLAIN, "Dienstag,"},
                      {"mi,", PLAIN, "Mittwoch,"},
                      {"do,", PLAIN, "Donnerstag,"},
                      {"fr,", PLAIN, "Freitag,"},
                      {"sa,", PLAIN, "Samstag,"},
                      {"so,", PLAIN, "Sonntag,"},
                      {"wg:", PLAIN, "Weitergeleitet:"},
                      {"aw:", PLAIN, "Antwort:"},
                  });
    addDroppedWords(expected);
    addOptionsOff(expected);
    addMarkers(expected, "Antwort:", "Weitergeleitet:");
    ASSERT_EQ(expected.size(), 121u);
    EXPECT_EQ(viewsOf(filter.filterList), expected);

    // No month names and no English full day names in this build.
    EXPECT_EQ(findException(filter.filterList, "January,"), nullptr);
    EXPECT_EQ(findException(filter.filterList, "Monday,"), nullptr);
}

TEST(GermanBuiltIns, SymbolTableHasNoForwardedSectionAnnouncement) {
    epostSift filter;
    installBuiltIns(filter, germanBuild.table);
    std::vector<builtinView> expected;
    add(expected, {
                      {"[:-|]", REMOVE_WORD, "[REMOVE WORD]"},
                      {"[:-)", REMOVE_WORD, "[REMOVE WORD]"},
                      {"[crlf]", PLAIN, ". "},
                      {"[subject]", PLAIN, "Betreff:|Subject:"},
                      {"[date]", PLAIN, "Datum:|Date:"},
                      {"[sender]", PLAIN, "Von:|From:"},
                      {"[header]", PLAIN, germanTemplate},
                      {"[body]", PLAIN, "Es folgt die Nachricht."},
                  });
    EXPECT_EQ(viewsOf(filter.symbolTable), expected);
}

TEST(EnglishBuiltIns, InstallsOneHundredFortyOneEntriesInOrder) {
    countingFilter filter;
    installBuiltIns(filter, englishBuild.table);
    ASSERT_EQ(filter.calls.size(), 141u);
    EXPECT_EQ(englishBuild.table.count, 141u);
    EXPECT_EQ(filter.calls[3], "Sent:");
    EXPECT_EQ(filter.calls[32], "(R)");
    EXPECT_EQ(filter.calls[120], "[BODY]");
}

TEST(EnglishBuiltIns, FilterListHoldsEveryRuleOnceInOrder) {
    epostSift filter;
    installBuiltIns(filter, englishBuild.table);

    std::vector<builtinView> expected;
    add(expected, {
                      {"subject:", PLAIN, "The subject of this message is: %s"},
                      {"from:", PLAIN, "This message was sent by: %s"},
                      {"date:", PLAIN, "This message was sent on: %s"},
                      {"sent:", PLAIN, "This message was sent on: %s"},
                      {"content-type:", KEEP_SECTION, "[KEEP SECTION] text/plain"},
                      {"mon,", PLAIN, "Monday,"},
                      {"tue,", PLAIN, "Tuesday,"},
                      {"tues,", PLAIN, "Tuesday,"},
                      {"wed,", PLAIN, "Wednesday,"},
                      {"thu,", PLAIN, "Thursday,"},
                      {"thur,", PLAIN, "Thursday,"},
                      {"thurs,", PLAIN, "Thursday,"},
                      {"fri,", PLAIN, "Friday,"},
                      {"sat,", PLAIN, "Saturday,"},
                      {"sun,", PLAIN, "Sunday,"},
                      {"feb", PLAIN, "February"},
                      {"mar", PLAIN, "March"},
                      {"apr", PLAIN, "April"},
                      {"jul", PLAIN, "July"},
                      {"aug", PLAIN, "August"},
                      {"sep", PLAIN, "September"},
                      {"sept", PLAIN, "September"},
                      {"oct", PLAIN, "October"},
                      {"nov", PLAIN, "November"},
                      {"dec", PLAIN, "December"},
                      {"re:", PLAIN, "Reply:"},
                      {"aw:", PLAIN, "Reply:"},
                      {"réf:", PLAIN, "Reply:"},
                      {"fwd:", PLAIN, "Forwarded:"},
                      {"fw:", PLAIN, "Forwarded:"},
                      {"tr:", PLAIN, "Forwarded:"},
                      {"wg:", PLAIN, "Forwarded:"},
                  });
    addDroppedWords(expected);
    addOptionsOff(expected);
    addMarkers(expected, "Reply:", "Forwarded:");
    ASSERT_EQ(expected.size(), 123u);
    EXPECT_EQ(viewsOf(filter.filterList), expected);

    // Given names that are also month abbreviations stay as written.
    EXPECT_EQ(findException(filter.filterList, "Jan"), nullptr);
    EXPECT_EQ(findException(filter.filterList, "Jun"), nullptr);
    EXPECT_EQ(findException(filter.filterList, "RE:"), findException(filter.filterList, "Re:"));
}

TEST(EnglishBuiltIns, SymbolTableHoldsTheKeywordListsPhrasesAndTemplate) {
    epostSift filter;
    installBuiltIns(filter, englishBuild.table);
    std::vector<builtinView> expected;
    add(expected, {
                      {"[:-|]", REMOVE_WORD, "[REMOVE WORD]"},
                      {"[:-)", REMOVE_WORD, "[REMOVE WORD]"},
                      {"[forwarded section]", PLAIN, "The following text was forwarded."},
                      {"[crlf]", PLAIN, ". "},
                      {"[subject]", PLAIN, "Subject:"},
                      {"[date]", PLAIN, "Date:"},
                      {"[sender]", PLAIN, "From:"},
                      {"[header]", PLAIN,
                       "{[SENDER] ? Message from [SENDER]| Message from an unknown sender}, {[DATE] ? sent [DATE]| "
                       "undated}. {[SUBJECT] ? The subject is: [SUBJECT]| No subject}. "},
                      {"[body]", PLAIN, "The message follows."},
                  });
    EXPECT_EQ(viewsOf(filter.symbolTable), expected);
}

TEST(EveryBuild, SaysEveryMarkerAsItsReplyOrForwardWord) {
    struct build {
        const languageBuild& language;
        const char* reply;
        const char* forwarded;
    };
    const build builds[] = {
        {frenchBuild, "Réponse:", "Transféré:"},
        {germanBuild, "Antwort:", "Weitergeleitet:"},
        {englishBuild, "Reply:", "Forwarded:"},
    };
    for (const build& b : builds) {
        epostSift filter;
        installBuiltIns(filter, b.language.table);
        for (const marker& m : markers) {
            // As mail programs write them, in capitals or not.
            std::string capitals = cp1252(m.key);
            for (char& c : capitals)
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            for (const std::string& key : {cp1252(m.key), capitals}) {
                const filterEntry* entry = findException(filter.filterList, key.c_str());
                ASSERT_NE(entry, nullptr) << key << " in the build that replies " << b.reply;
                EXPECT_EQ(entry->kind(), PLAIN) << key;
                EXPECT_STREQ(entry->value(), cp1252(m.reply ? b.reply : b.forwarded).c_str()) << key;
            }
        }
    }
}
