#include "filter_fixture.h"

using namespace postsift;

namespace {

const char* const frenchTemplate =
    "{[SENDER] ? Vous avez re\xe7ut un message de [SENDER]| Vous avez re\xe7ut un message d'un exp\xe9"
    "diteur inconnu}, {[DATE] ? du [DATE]| non dat\xe9}. {[SUBJECT] ? L'objet de ce message est: "
    "[SUBJECT]| L'objet de ce message est: non pr\xe9"
    "cis\xe9}. ";

class Summary : public filterFixture {
protected:
    // A template without braces evaluates to itself: the composition sees
    // exactly this text.
    void result(const char* templateResult) { symbol("[HEADER]", templateResult); }
    std::string compose() {
        EXPECT_EQ(filter.completeEntireHeader(), 2);
        return text();
    }
};

}  // namespace

TEST_F(Summary, FillsCapturesAndDefaultsAroundPunctuation) {
    filterEntry* sender = symbol("[SENDER]", "From:");
    filterEntry* subject = symbol("[SUBJECT]", "Subject:");
    filterEntry* date = symbol("[DATE]", "Date:");
    symbol("[BODY]", "The text follows.");
    result("Message from [SENDER], subject [SUBJECT|none], date [DATE|undated].");
    sender->setHeaderText("Zavo Zozu");
    subject->setHeaderText("Hello");
    EXPECT_EQ(compose(), "Message from Zavo Zozu, subject Hello, date undated. The text follows.");
    EXPECT_EQ(sender->headerText(), nullptr);
    EXPECT_EQ(subject->headerText(), nullptr);
    EXPECT_EQ(date->headerText(), nullptr);
    EXPECT_EQ(filter.bodyStarted, 1);
}

TEST_F(Summary, TheFrenchMessageWithAllThreeItems) {
    symbol("[SUBJECT]", "Subject:|Objet:")->setHeaderText(" Hello");
    symbol("[DATE]", "Date:|Envoy\xe9:|Re\xe7u:")->setHeaderText(" Lundi, 13 Jan 2003 10:00:00 +0100");
    symbol("[SENDER]", "De:|From:")->setHeaderText(" Zavo Zozu ");
    symbol("[HEADER]", frenchTemplate);
    symbol("[BODY]", "Le contenu du message est le suivant.");
    EXPECT_EQ(compose(),
              " Vous avez re\xe7ut un message de  Zavo Zozu,  du  Lundi, 13 Jan 2003 10:00:00 +0100.  "
              "L'objet de ce message est:  Hello.  Le contenu du message est le suivant.");
}

TEST_F(Summary, TheFrenchMessageWithoutAnyOfThem) {
    symbol("[SUBJECT]", "Subject:|Objet:");
    symbol("[DATE]", "Date:|Envoy\xe9:|Re\xe7u:");
    symbol("[SENDER]", "De:|From:");
    symbol("[HEADER]", frenchTemplate);
    symbol("[BODY]", "Le contenu du message est le suivant.");
    EXPECT_EQ(compose(),
              " Vous avez re\xe7ut un message d'un exp\xe9"
              "diteur inconnu,  non dat\xe9.  L'objet de ce message est: non pr\xe9"
              "cis\xe9.  Le contenu du message est le suivant.");
}

TEST_F(Summary, PlaceholdersSideBySideAreJoined) {
    symbol("[A]", "A:")->setHeaderText("x");
    symbol("[B]", "B:")->setHeaderText("y");
    // The result also begins with a placeholder: with no text before it,
    // the spoken text begins with the replacement itself.
    result("[A][B] end");
    EXPECT_EQ(compose(), "xy  end");
}

TEST_F(Summary, ACaptureIsSpokenOnlyOnce) {
    symbol("[A]", "A:")->setHeaderText("x");
    result("[A] and [A|nothing] and [a].");
    EXPECT_EQ(compose(), "x  and nothing  and.");
}

TEST_F(Summary, UnknownNamesGiveTheirDefaultOrNothing) {
    result("one [NOPE|fallback] two [NOPE] three");
    EXPECT_EQ(compose(), "one fallback  two   three");
}

TEST_F(Summary, AnOpenBracketWithoutCloseIsText) {
    symbol("[A]", "A:")->setHeaderText("x");
    result("Hi [A] and [broken");
    EXPECT_EQ(compose(), "Hi x  and [broken");
}

TEST_F(Summary, ABracketInsideADefaultDoesNotRewind) {
    result("[A|x[y]z] end");
    EXPECT_EQ(compose(), "x[y z] end");
}

TEST_F(Summary, TheBodyPhraseComesWithoutATemplate) {
    symbol("[BODY]", "Body follows.");
    EXPECT_EQ(compose(), "Body follows.");

    // A template without value, or one that gives nothing, changes nothing.
    epostSift other;
    other.bodyStarted = 0;
    auto* header = new filterEntry("[HEADER]", "x");
    header->replaceValue(nullptr);
    auto* bodyPhrase = new filterEntry("[BODY]", "Body follows.");
    header->setNext(bodyPhrase);
    other.symbolTable = header;
    other.completeEntireHeader();
    EXPECT_EQ(textOf(other.filteredText.get()), "Body follows.");

    epostSift third;
    third.bodyStarted = 0;
    auto* unknown = new filterEntry("[HEADER]", "{[NOPE] ? a| b}");
    unknown->setNext(new filterEntry("[BODY]", "Body follows."));
    third.symbolTable = unknown;
    third.completeEntireHeader();
    EXPECT_EQ(textOf(third.filteredText.get()), "Body follows.");
}

TEST_F(Summary, HappensOncePerRunAndOnlyWithSymbols) {
    EXPECT_EQ(compose(), "<null>");
    EXPECT_EQ(filter.bodyStarted, 0);  // nothing to summarise with

    symbol("[BODY]", "Body.");
    filter.bodyStarted = 1;
    EXPECT_EQ(compose(), "<null>");
    filter.bodyStarted = 0;
    EXPECT_EQ(compose(), "Body.");
    EXPECT_EQ(compose(), "Body.");
}

TEST_F(Summary, TheTemplateChoosesBranchesByTheCaptures) {
    symbol("[SENDER]", "From:")->setHeaderText("Zavo");
    symbol("[DATE]", "Date:");
    result("{[SENDER] ? From [SENDER]| Unknown}{[DATE] ? on [DATE]| undated}");
    EXPECT_EQ(compose(), " From Zavo  undated");
}
