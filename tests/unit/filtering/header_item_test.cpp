#include "filter_fixture.h"

using namespace postsift;

namespace {

const char* const dateFormat = "Le message a \xe9t\xe9 re\xe7u le: %s";

class HeaderItem : public filterFixture {};
class HeaderItemWord : public filterFixture {};
class MimeBoundary : public filterFixture {};

}  // namespace

TEST_F(HeaderItem, AKeywordWithAPhraseIsSpokenAtOnceWithoutASummary) {
    rule("Date:", dateFormat);
    EXPECT_EQ(item("Date:", {" ", "13", ".", "01", ".", "2003"}), 0);
    // Ends in a digit, so the sentence ends with "! ".
    EXPECT_EQ(text(), "Le message a \xe9t\xe9 re\xe7u le:  13.01.2003! ");
    EXPECT_EQ(item("Date:", {" ", "today"}), 0);
    EXPECT_EQ(text(), "Le message a \xe9t\xe9 re\xe7u le:  13.01.2003! Le message a \xe9t\xe9 re\xe7u le:  today. ");
}

TEST_F(HeaderItem, TheLeadingHeaderStaysSilentForTheSummary) {
    rule("Date:", dateFormat);
    rule("Mon,", "Lundi,");
    symbol("[HEADER]", "{[DATE] ? du [DATE]| non dat\xe9}");
    filterEntry* date = symbol("[DATE]", "Date:|Re\xe7u:");
    EXPECT_EQ(item("Date:", {" ", "Mon,", " ", "13"}), 2);
    EXPECT_EQ(text(), "<null>");
    EXPECT_EQ(textOf(date->headerText()), " Lundi, 13");

    // Once the body has started, the same item is spoken.
    filter.bodyStarted = 1;
    EXPECT_EQ(item("Date:", {" ", "Mon,"}), 0);
    EXPECT_EQ(text(), "Le message a \xe9t\xe9 re\xe7u le:  Lundi,. ");
}

TEST_F(HeaderItem, ReplaceLineSpeaksItsReplacement) {
    rule("X-Mailer:", "[REPLACE LINE]Sent with%s");
    EXPECT_EQ(item("X-Mailer:", {" ", "Tool"}), 0);
    EXPECT_EQ(text(), "Sent with Tool. ");
}

TEST_F(HeaderItem, ThePhraseIsNeverAFormatBeyondItsFirstPercentS) {
    rule("Subject:", "%n %s %s 100%% %d");
    EXPECT_EQ(item("Subject:", {" ", "Hi"}), 0);
    EXPECT_EQ(text(), "%n  Hi %s 100%% %d. ");
    rule("Priority:", "Urgent");
    EXPECT_EQ(item("Priority:", {" ", "1"}), 0);
    EXPECT_EQ(text(), "%n  Hi %s 100%% %d. Urgent. ");
}

TEST_F(HeaderItem, TheSentenceEndDependsOnTheLastCharacter) {
    rule("Q:", "%s   ");
    // Trailing blanks go before the test; '?' needs no further mark.
    EXPECT_EQ(item("Q:", {" ", "why", "?"}), 0);
    EXPECT_EQ(text(), " why?");
    EXPECT_EQ(item("Q:", {" ", "done", "!"}), 0);
    EXPECT_EQ(text(), " why? done!");
    EXPECT_EQ(item("Q:", {" ", "room", " ", "12"}), 0);
    EXPECT_EQ(text(), " why? done! room 12! ");
    EXPECT_EQ(item("Q:", {" ", "end", "."}), 0);
    EXPECT_EQ(text(), " why? done! room 12!  end.");
}

TEST_F(HeaderItem, AnItemThatSaysNothingLeavesAnEmptyTextAlone) {
    rule("Q:", "%s");
    EXPECT_EQ(item("Q:", {"  "}), 0);
    EXPECT_EQ(text(), "");
}

TEST_F(HeaderItem, RemovedAndSectionItemsCloseTheBodyTextBefore) {
    rule("X-Spam:", "[REMOVE LINE]");
    rule("Content-type:", "[KEEP SECTION] text/plain");
    filter.bodyStarted = 1;
    body({"Hello", " ", "world", " ", "\n", "\n"});
    EXPECT_EQ(item("X-Spam:", {" ", "yes"}), 0);
    EXPECT_EQ(text(), "Hello world. ");
    body({"page", " ", "3", "\n"});
    EXPECT_EQ(item("Content-type:", {" ", "text/plain"}), 0);
    EXPECT_EQ(text(), "Hello world. page 3! ");
}

TEST_F(HeaderItem, WordKindsOnAKeywordDoNothing) {
    rule("Odd:", "[REMOVE WORD]");
    rule("Odder:", "[REPLACE WORD]x");
    filter.bodyStarted = 1;
    body({"Hello", " "});
    EXPECT_EQ(item("Odd:", {" ", "a"}), 2);
    EXPECT_EQ(item("Odder:", {" ", "b"}), 2);
    EXPECT_EQ(text(), "Hello ");
}

TEST_F(HeaderItem, AKeywordWithoutRuleIsCapturedButNotSpoken) {
    filterEntry* sender = symbol("[SENDER]", "De:|From:");
    EXPECT_EQ(item("FROM:", {" ", "Zavo"}), 2);
    EXPECT_EQ(textOf(sender->headerText()), " Zavo");
    EXPECT_EQ(text(), "<null>");
    // A later item of the same symbol replaces the capture.
    EXPECT_EQ(item("De:", {" ", "Zozu"}), 2);
    EXPECT_EQ(textOf(sender->headerText()), " Zozu");
}

TEST_F(HeaderItem, AnItemWithoutContentIsNeitherCapturedNorApplied) {
    rule("Content-type:", "[KEEP SECTION] text/plain");
    filterEntry* type = symbol("[TYPE]", "Content-type:");
    type->setHeaderText("earlier");
    filter.sectionRemoved = 1;
    filter.dateCompleted = 1;
    EXPECT_EQ(item("Content-type:", {}), 2);
    EXPECT_EQ(textOf(type->headerText()), "earlier");
    EXPECT_EQ(filter.sectionRemoved, 1);
    EXPECT_EQ(filter.dateCompleted, 0);
}

TEST_F(HeaderItem, SectionRulesSwitchTheBodyByTheContent) {
    rule("Content-type:", "[KEEP SECTION] text/plain");
    rule("X-Part:", "[REMOVE SECTION] secret");
    EXPECT_EQ(item("Content-type:", {" ", "text/html"}), 0);
    EXPECT_EQ(filter.sectionRemoved, 1);
    EXPECT_EQ(item("Content-type:", {" ", "text/plain;", " ", "charset=us-ascii"}), 0);
    EXPECT_EQ(filter.sectionRemoved, 0);
    // The condition keeps its leading blank; media types are case-blind.
    EXPECT_EQ(item("Content-type:", {" ", "xtext/plain"}), 0);
    EXPECT_EQ(filter.sectionRemoved, 1);
    EXPECT_EQ(item("Content-type:", {" ", "TEXT/PLAIN;", " ", "charset=US-ASCII"}), 0);
    EXPECT_EQ(filter.sectionRemoved, 0);
    EXPECT_EQ(item("Content-type:", {" ", "Application/PDF"}), 0);
    EXPECT_EQ(filter.sectionRemoved, 1);

    EXPECT_EQ(item("X-Part:", {" ", "SeCrEt"}), 0);
    EXPECT_EQ(filter.sectionRemoved, 1);
    EXPECT_EQ(item("X-Part:", {" ", "open"}), 0);
    EXPECT_EQ(filter.sectionRemoved, 0);
    // Section rules add nothing to a text that does not exist yet.
    EXPECT_EQ(text(), "<null>");
}

TEST_F(HeaderItem, EveryItemEndsWithNoTextAndNoDate) {
    rule("Date:", dateFormat);
    filter.beginHeaderItem("Date:", 0);
    filter.addHeaderItemWord(" ", 0);
    filter.addHeaderItemWord("x", 0);
    EXPECT_EQ(itemText(), " x");
    filter.dateCompleted = 1;
    filter.completeHeaderItem();
    EXPECT_EQ(itemText(), "<null>");
    EXPECT_EQ(filter.dateCompleted, 0);
}

TEST_F(HeaderItemWord, PassesTheWordRules) {
    rule("Mon,", "Lundi,");
    rule(":-)", "[REMOVE WORD]");
    rule("Bad", "[REMOVE LINE]");
    rule("Swap", "[REPLACE WORD]Swapped");
    rule("Gone", "[REMOVE SECTION] x");
    filter.beginHeaderItem("Date:", 0);
    EXPECT_EQ(filter.addHeaderItemWord("MON,", 0), 0);
    EXPECT_EQ(filter.addHeaderItemWord(" ", 0), 0);
    EXPECT_EQ(filter.addHeaderItemWord(":-)", 0), 0);
    EXPECT_EQ(filter.addHeaderItemWord(" ", 0), 0);
    EXPECT_EQ(filter.addHeaderItemWord("Bad", 0), 2);
    EXPECT_EQ(filter.addHeaderItemWord("Swap", 0), 0);
    EXPECT_EQ(filter.addHeaderItemWord("Gone", 0), 2);
    EXPECT_EQ(itemText(), "Lundi,  Swapped");
}

TEST_F(HeaderItemWord, ForwardedWordsNeedTheForwardedHeadersOption) {
    struct optionCase {
        const char* value;  // nullptr: no entry at all
        bool valueless;
        bool kept;
    };
    const optionCase cases[] = {
        {nullptr, false, false}, {"false", false, false}, {"TRUE", false, false},
        {"true", false, true},   {"untrue", false, true}, {"x", true, true},
    };
    for (const optionCase& c : cases) {
        epostSift fresh;
        filterEntry* option = nullptr;
        if (c.value != nullptr) {
            option = new filterEntry("[INCLUDE FORWARDED HEADERS]", c.value);
            if (c.valueless) option->replaceValue(nullptr);
        }
        fresh.filterList = option;
        EXPECT_EQ(fresh.addHeaderItemWord("word", 1), 0);
        EXPECT_EQ(textOf(fresh.headerItemText.get()), c.kept ? "word" : "<null>") << textOf(c.value);
        // Words of an item that is not forwarded never ask for the option.
        EXPECT_EQ(fresh.addHeaderItemWord("!", 0), 0);
        EXPECT_EQ(textOf(fresh.headerItemText.get()), c.kept ? "word!" : "!") << textOf(c.value);
    }
}

TEST_F(HeaderItemWord, OnlyAWordOfBlanksLeavesTheDateCompleted) {
    rule(":-)", "[REMOVE WORD]");
    filter.dateCompleted = 1;
    filter.addHeaderItemWord("   ", 0);
    EXPECT_EQ(filter.dateCompleted, 1);
    filter.addHeaderItemWord("\t", 0);
    EXPECT_EQ(filter.dateCompleted, 0);
    filter.dateCompleted = 1;
    filter.addHeaderItemWord(":-)", 0);  // dropped, but a word all the same
    EXPECT_EQ(filter.dateCompleted, 0);
    filter.dateCompleted = 1;
    filter.addHeaderItemWord("x", 1);  // forwarded and dropped by the option
    EXPECT_EQ(filter.dateCompleted, 1);
}

TEST_F(MimeBoundary, AQuotedValueRunsToItsQuoteWhereTheItemIsCut) {
    filterEntry* type = symbol("[TYPE]", "Content-type:");
    item("Content-type:", {" ", "multipart/mixed;", " ", "boundary=\"abc\";", " ", "x=y"});
    EXPECT_EQ(textOf(filter.mimeBoundary.get()), "abc");
    EXPECT_EQ(textOf(type->headerText()), " multipart/mixed; boundary=\"abc");
}

TEST_F(MimeBoundary, TheParameterNameIsFoundInAnyCase) {
    const char* const spellings[] = {"boundary=\"b1\"", "Boundary=\"b1\"", "BOUNDARY=\"b1\""};
    for (const char* spelling : spellings) {
        epostSift fresh;
        fresh.beginHeaderItem("Content-type:", 0);
        fresh.addHeaderItemWord(" ", 0);
        fresh.addHeaderItemWord(spelling, 0);
        fresh.completeHeaderItem();
        EXPECT_EQ(textOf(fresh.mimeBoundary.get()), "b1") << spelling;
    }
}

TEST_F(MimeBoundary, AnUnquotedValueRunsToASemicolonBlankOrTheEnd) {
    item("Content-type:", {" ", "multipart/mixed;", " ", "Boundary=abc;", " ", "x=y"});
    EXPECT_EQ(textOf(filter.mimeBoundary.get()), "abc");
    item("Content-type:", {" ", "boundary=def", " ", "rest"});
    EXPECT_EQ(textOf(filter.mimeBoundary.get()), "def");
    item("Content-type:", {" ", "boundary=ghi"});
    EXPECT_EQ(textOf(filter.mimeBoundary.get()), "ghi");
}

TEST_F(MimeBoundary, AValueCutOffByTheEndOfTheTextEndsThere) {
    item("Content-type:", {" ", "boundary=\"abc"});
    EXPECT_EQ(textOf(filter.mimeBoundary.get()), "abc");
}

TEST_F(MimeBoundary, AnEmptyValueSetsNoBoundary) {
    item("Content-type:", {" ", "boundary=\"keep\""});
    ASSERT_EQ(textOf(filter.mimeBoundary.get()), "keep");
    item("Content-type:", {" ", "boundary=\"\""});
    EXPECT_EQ(textOf(filter.mimeBoundary.get()), "keep");
    item("Content-type:", {" ", "boundary="});
    EXPECT_EQ(textOf(filter.mimeBoundary.get()), "keep");
    item("Content-type:", {" ", "boundary=;", " ", "x"});
    EXPECT_EQ(textOf(filter.mimeBoundary.get()), "keep");

    // A message whose first boundary is empty keeps its body.
    epostSift fresh;
    fresh.beginHeaderItem("Content-type:", 0);
    fresh.addHeaderItemWord(" boundary=\"\"", 0);
    fresh.completeHeaderItem();
    EXPECT_TRUE(fresh.mimeBoundary.isNull());
    fresh.addPlainText("body", 0);
    EXPECT_EQ(textOf(fresh.filteredText.get()), "body");
}

TEST_F(MimeBoundary, EachMessageStartsWithoutTheLastOnesSectionAndBoundary) {
    rule("Content-type:", "[KEEP SECTION] text/plain");
    rule("hello", "bonjour");
    rule("[DECODE MIME]", "false");
    filter.activateFilter();
    const char* out = nullptr;
    filter.getFilteredText("Content-type: multipart/alternative; boundary=\"xyz\"\n", &out, 0);
    EXPECT_EQ(filter.sectionRemoved, 1);
    EXPECT_EQ(textOf(filter.mimeBoundary.get()), "xyz");

    // The next message is read whole, and the old boundary drops nothing.
    filter.getFilteredText("hello there --xyz\n", &out, 0);
    EXPECT_EQ(textOf(out), "bonjour there --xyz\n");

    // So with the stage on.
    filter.getFilteredText("Content-type: multipart/alternative; boundary=\"xyz\"\n", &out, 0);
    filter.updateFilter("[DECODE MIME]", nullptr);
    filter.getFilteredText("hello there --xyz\n", &out, 0);
    EXPECT_EQ(textOf(out), "bonjour there --xyz\n");
}
