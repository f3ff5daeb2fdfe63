#include "filter_fixture.h"

using namespace postsift;

namespace {

class PlainText : public filterFixture {};
class Address : public filterFixture {};
class ForwardedSection : public filterFixture {};
class DateGroup : public filterFixture {};

}  // namespace

TEST_F(PlainText, WordsPassTheirRulesAndTheRestComesAsItIs) {
    rule("Mon,", "Lundi,");
    rule(":-)", "[REMOVE WORD]");
    rule("Swap", "[REPLACE WORD]swapped");
    body({"See", " ", "you", " ", "MON,", " ", ":-)", " ", "swap", "\n"});
    EXPECT_EQ(text(), "See you Lundi,  swapped\n");
    EXPECT_EQ(filter.bodyStarted, 1);
}

TEST_F(PlainText, LineAndSectionRulesDropOnlyTheirWord) {
    rule("spam", "[REMOVE LINE]");
    rule("junk", "[REPLACE LINE]x");
    rule("cut", "[KEEP SECTION] x");
    filter.addPlainText("a", 0);
    EXPECT_EQ(filter.addPlainText("spam", 0), 2);
    EXPECT_EQ(filter.addPlainText("junk", 0), 2);
    EXPECT_EQ(filter.addPlainText("cut", 0), 2);
    EXPECT_EQ(filter.addPlainText("b", 0), 0);
    EXPECT_EQ(text(), "ab");
    EXPECT_EQ(filter.sectionRemoved, 0);
}

TEST_F(PlainText, ANullWordOnlyStartsTheBody) {
    EXPECT_EQ(filter.addPlainText(nullptr, 0), 0);
    EXPECT_EQ(filter.bodyStarted, 1);
    EXPECT_EQ(text(), "<null>");
}

TEST_F(PlainText, WordsHoldingTheBoundaryAreDropped) {
    filter.mimeBoundary.assign("abc");
    EXPECT_EQ(filter.addPlainText("--abc", 0), 0);
    EXPECT_EQ(filter.addPlainText("xabcx", 0), 0);
    EXPECT_EQ(filter.addPlainText("ab", 0), 0);
    EXPECT_EQ(filter.addPlainText("ABC", 0), 0);
    EXPECT_EQ(text(), "abABC");
}

TEST_F(PlainText, ARemovedSectionSaysNothingWhateverTheRules) {
    rule("Subject:", "L'objet de ce message est: %s");
    rule("\n", ". ");
    rule(":-)", "[REMOVE WORD]");
    filter.sectionRemoved = 1;
    for (const char* word : {"see", " ", "Subject:", ":-)", "\n"}) EXPECT_EQ(filter.addPlainText(word, 0), 2) << word;
    EXPECT_EQ(text(), "<null>");
}

TEST_F(PlainText, AKeywordsPhraseIsNoWordRule) {
    // The phrase speaks a header item; as a word, in text or inside another
    // item, the keyword is read as written. A word rule still replaces.
    rule("Date:", "Le message a \xe9t\xe9 re\xe7u le: %s");
    rule("Re:", "R\xe9ponse:");
    body({"la", " ", "ligne", " ", "Date:", " ", "Re:", " ", "Date:"});
    EXPECT_EQ(text(), "la ligne Date: R\xe9ponse: Date:");
    filter.beginHeaderItem("Subject:", 0);
    filter.addHeaderItemWord("Date:", 0);
    filter.addHeaderItemWord(" ", 0);
    filter.addHeaderItemWord("Re:", 0);
    EXPECT_EQ(itemText(), "Date: R\xe9ponse:");
}

TEST_F(PlainText, AFullStopReplacementEndsTheSentenceBefore) {
    rule("\n", ". ");
    body({"Hi", " ", "there", "\n", "See", " ", "you", "\n"});
    EXPECT_EQ(text(), "Hi there. See you. ");

    epostSift asked;
    asked.filterList = new filterEntry("\n", ". ");
    for (const char* word : {"Why", "?", "  ", "\n", "Because", "\n"}) asked.addPlainText(word, 0);
    EXPECT_EQ(textOf(asked.filteredText.get()), "Why? Because. ");
}

TEST_F(PlainText, AFullStopReplacementAtTheStartOrAfterPunctuation) {
    struct stopCase {
        const char* value;
        const char* before;  // nullptr: the replacement is the first output
        const char* expected;
    };
    const stopCase cases[] = {
        {". ", "yes", "yes. "},   {". ", "yes?", "yes? "}, {". ", "yes2 ", "yes2. "},
        {". ", nullptr, " "},     {".", "yes?", "yes?"},   {".", "yes", "yes."},
        {".", nullptr, "<null>"}, {".x", "", "x"},         {"x.", "a ", "a x."},
    };
    for (const stopCase& c : cases) {
        epostSift fresh;
        fresh.filterList = new filterEntry("STOP", c.value);
        if (c.before != nullptr) fresh.filteredText.assign(c.before);
        EXPECT_EQ(fresh.addPlainText("stop", 0), 0);
        EXPECT_EQ(textOf(fresh.filteredText.get()), c.expected) << c.value << " after " << textOf(c.before);
    }
}

TEST_F(PlainText, ForwardedWordsFollowTheForwardedTextOption) {
    struct optionCase {
        const char* value;  // nullptr: no entry at all
        bool valueless;
        bool kept;
    };
    const optionCase cases[] = {
        {nullptr, false, true}, {"x", true, true},        {"true", false, true},
        {"is true", false, true}, {"false", false, false}, {"TRUE", false, false},
    };
    for (const optionCase& c : cases) {
        epostSift fresh;
        if (c.value != nullptr) {
            fresh.filterList = new filterEntry("[INCLUDE FORWARDED TEXT]", c.value);
            if (c.valueless) fresh.filterList->replaceValue(nullptr);
        }
        EXPECT_EQ(fresh.addPlainText("quoted", 1), 0);
        EXPECT_EQ(fresh.addPlainText(" mine", 0), 0);
        EXPECT_EQ(textOf(fresh.filteredText.get()), c.kept ? "quoted mine" : " mine") << textOf(c.value);
    }
}

TEST_F(PlainText, WordRulesAreFoundWithoutTheQuotePrefixOnlyForKeywords) {
    // Body words are looked up as they are, '>' included.
    rule("hi", "hello");
    body({">hi", " ", "hi"});
    EXPECT_EQ(text(), ">hi hello");
}

TEST_F(Address, IsSpokenOnlyWhenTheOptionIsExactlyTrue) {
    struct optionCase {
        const char* value;
        const char* itemText;
    };
    const optionCase cases[] = {
        {"true", " Zavo Zozu, zavo@post"},
        {"True", " Zavo Zozu "},
        {" true", " Zavo Zozu "},
        {"is true", " Zavo Zozu "},
        {nullptr, " Zavo Zozu "},
    };
    for (const optionCase& c : cases) {
        epostSift fresh;
        if (c.value != nullptr) fresh.filterList = new filterEntry("[INCLUDE EMAIL ADDRESS]", c.value);
        for (const char* word : {" ", "Zavo", " ", "Zozu", " "}) fresh.addHeaderItemWord(word, 0);
        EXPECT_EQ(fresh.setAddressId("zavo"), 0);
        EXPECT_EQ(fresh.setAddressDomain("post"), 0);
        EXPECT_EQ(fresh.completeAddress(0), 0);
        EXPECT_EQ(textOf(fresh.headerItemText.get()), c.itemText) << textOf(c.value);
        EXPECT_TRUE(fresh.addressId.isNull());
        EXPECT_TRUE(fresh.addressDomain.isNull());
    }
}

TEST_F(Address, PiecesPassTheWordRules) {
    rule("[INCLUDE EMAIL ADDRESS]", "true");
    rule("zavo", "Zavo");
    rule("@", " at ");
    filter.setAddressId("ZAVO");
    filter.setAddressDomain("post");
    filter.completeAddress(0);
    EXPECT_EQ(itemText(), ", Zavo at post");
}

TEST_F(Address, AHalfAddressWaitsForTheNextOne) {
    rule("[INCLUDE EMAIL ADDRESS]", "true");
    EXPECT_EQ(filter.setAddressId("solo"), 0);
    EXPECT_EQ(filter.completeAddress(0), 0);
    EXPECT_EQ(itemText(), "<null>");
    EXPECT_EQ(textOf(filter.addressId.get()), "solo");
    EXPECT_EQ(filter.setAddressDomain(nullptr), 2);
    EXPECT_EQ(filter.setAddressId(nullptr), 2);
    EXPECT_TRUE(filter.addressId.isNull());
}

TEST_F(Address, AForwardedAddressNeedsBothOptions) {
    const char* const values[][2] = {{"true", "true"}, {"true", "false"}, {"false", "true"}};
    const char* const expected[] = {", a@b", "<null>", "<null>"};
    for (int i = 0; i < 3; ++i) {
        epostSift fresh;
        fresh.filterList = new filterEntry("[INCLUDE EMAIL ADDRESS]", values[i][0]);
        fresh.filterList->setNext(new filterEntry("[INCLUDE FORWARDED HEADERS]", values[i][1]));
        fresh.setAddressId("a");
        fresh.setAddressDomain("b");
        fresh.completeAddress(1);
        EXPECT_EQ(textOf(fresh.headerItemText.get()), expected[i]) << i;
    }
}

TEST_F(ForwardedSection, IsAnnouncedWhenEitherForwardedOptionIsOn) {
    struct optionCase {
        const char* text;
        const char* headers;
        bool announced;
    };
    const optionCase cases[] = {
        {"false", "false", false}, {"true", "false", true},   {"false", "true", true},
        {"untrue", nullptr, true}, {nullptr, nullptr, false}, {"TRUE", "yes", false},
    };
    for (const optionCase& c : cases) {
        epostSift fresh;
        // Each option goes in front of the list; their order does not matter.
        if (c.headers != nullptr) fresh.filterList = new filterEntry("[INCLUDE FORWARDED HEADERS]", c.headers);
        if (c.text != nullptr) {
            auto* text = new filterEntry("[INCLUDE FORWARDED TEXT]", c.text);
            text->setNext(fresh.filterList);
            fresh.filterList = text;
        }
        fresh.symbolTable = new filterEntry("[FORWARDED SECTION]", "Forwarded text follows.");
        fresh.filteredText.assign("Earlier text.");
        EXPECT_EQ(fresh.beginForwardedSection(), 2);
        EXPECT_EQ(textOf(fresh.filteredText.get()),
                  c.announced ? "Earlier text. Forwarded text follows." : "Earlier text.")
            << textOf(c.text) << " / " << textOf(c.headers);
    }
}

TEST_F(ForwardedSection, NeedsItsPhrase) {
    rule("[INCLUDE FORWARDED TEXT]", "true");
    EXPECT_EQ(filter.beginForwardedSection(), 2);
    EXPECT_EQ(text(), "<null>");
    symbol("[FORWARDED SECTION]", "Forwarded.");
    EXPECT_EQ(filter.beginForwardedSection(), 2);
    EXPECT_EQ(text(), "Forwarded.");
}

TEST_F(DateGroup, ComposesTheFourPartsOnceAllAreSet) {
    rule("Mon,", "Lundi,");
    EXPECT_EQ(filter.setDatePart1("Mon,"), 0);
    EXPECT_EQ(filter.setDatePart2("Jan"), 0);
    EXPECT_EQ(filter.setDatePart3("13"), 0);
    EXPECT_EQ(filter.completeDate(0), 0);
    EXPECT_EQ(itemText(), "<null>");
    EXPECT_EQ(filter.setDatePart4(nullptr), 2);
    EXPECT_EQ(filter.completeDate(0), 0);
    EXPECT_EQ(filter.setDatePart4("2003"), 0);
    EXPECT_EQ(filter.completeDate(0), 0);
    EXPECT_EQ(itemText(), "Lundi, 13 Jan, 2003");
    EXPECT_EQ(filter.dateCompleted, 1);
    EXPECT_TRUE(filter.datePart1.isNull() && filter.datePart4.isNull());

    EXPECT_EQ(filter.addWordAfterDate("10:00", 0), 0);
    EXPECT_EQ(itemText(), "Lundi, 13 Jan, 2003 at 10:00");
    EXPECT_EQ(filter.addWordAfterDate("+0100", 0), 0);
    EXPECT_EQ(itemText(), "Lundi, 13 Jan, 2003 at 10:00+0100");
}
