// Digests read message by message, and the phrases with several fillings
// that announce their messages.
#include "reading/lines/keyword_format.h"
#include "reading_fixture.h"

using namespace postsift;

TEST_F(ReadingPass, EachDigestMessageIsAnnouncedByItsHeaderLines) {
    rule("[READ DIGESTS]", "true");
    symbol("[DIGEST MESSAGE]", "<%1$s|%2$s|%3$s>");
    // A number line, a folded subject, a sender with no name; dashes that no
    // header lines follow stay as they are.
    EXPECT_EQ(read("Subject: Orchid Digest, Vol 3 #42\n\nText\n"
                   "------------------------------\n\nMessage: 1\nDate: Mon, 3 Mar 2025\n"
                   "From: \"Paul Ness\" <paul@example.org>\nSubject: Watering\n in winter\n\nOnce a week.\n"
                   "------------------------------\nFrom: lea@example.com\nSubject: Re: Watering\n\nYes.\n"
                   "------------------------------\nnot a message\nFrom: x\n"),
              "Subject: Orchid Digest, Vol 3 #42\n\nText\n<1|Paul Ness|Watering in winter>\n\nOnce a week.\n"
              "<2|lea@example.com|Re: Watering>\n\nYes.\n"
              "------------------------------\nnot a message\nFrom: x\n");
}

TEST_F(ReadingPass, OnlyAMessageThatNamesItselfADigestHasDigestMessages) {
    rule("[READ DIGESTS]", "true");
    symbol("[DIGEST MESSAGE]", "<%1$s>");
    const std::string body = "\nHi\n------------------------------\nFrom: A\nSubject: B\n\nText\n";
    // A reply to a digest, and a message that names none, keep their lines.
    EXPECT_EQ(read("Subject: Re: Orchid digest, Vol 3 #42\n" + body), "Subject: Re: Orchid digest, Vol 3 #42\n" + body);
    EXPECT_EQ(read("Subject: Digestive biscuits\n" + body), "Subject: Digestive biscuits\n" + body);
    // A subject that the scanner drops names it too, though it is left out
    // of the text where another field follows it.
    EXPECT_EQ(read("Subject: Orchid Digest, Vol 3 #42\nX-Mailer: m\n" + body), "X-Mailer: m\n\nHi\n<1>\n\nText\n");
    // A first line may name it, or the heading of its contents.
    EXPECT_EQ(read("Subject: Plans\n\nOrchid Digest" + body), "Subject: Plans\n\nOrchid Digest\nHi\n<1>\n\nText\n");
    EXPECT_EQ(read("Subject: Plans\n\nIn this issue:" + body), "Subject: Plans\n\nIn this issue:\nHi\n<1>\n\nText\n");
    // In any case, from the line's first byte; never in a quoted line.
    EXPECT_EQ(read("Subject: Plans\n\nDIGEST 7" + body), "Subject: Plans\n\nDIGEST 7\nHi\n<1>\n\nText\n");
    EXPECT_EQ(read("Subject: Plans\n\n> Orchid Digest" + body), "Subject: Plans\n\n> Orchid Digest" + body);
    // Only the body's first 24 lines (its blank first line counted) name it.
    std::string preamble;
    for (int line = 0; line < 22; ++line) preamble += "x\n";
    EXPECT_EQ(read("Subject: Plans\n\n" + preamble + "Orchid Digest" + body),
              "Subject: Plans\n\n" + preamble + "Orchid Digest\nHi\n<1>\n\nText\n");
    preamble += "x\n";
    EXPECT_EQ(read("Subject: Plans\n\n" + preamble + "Orchid Digest" + body),
              "Subject: Plans\n\n" + preamble + "Orchid Digest" + body);
}

TEST_F(ReadingPass, AnEarlierMessageInsideADigestMessageEndsWithIt) {
    rule("[READ DIGESTS]", "true");
    symbol("[DIGEST MESSAGE]", "<%1$s>");
    // Quoted to the next message, or to where the scanner would end it: a
    // quote after its header lines, and the answer below.
    EXPECT_EQ(read("Subject: Orchid Digest\n\n"
                   "----------\nFrom: A\nSubject: B\n\nYes.\n-----Original Message-----\nFrom: C\n\nHow?\n"
                   "----------\nFrom: C\nSubject: D\n\nNo.\n-----Original Message-----\nFrom: A\n\n> Yes?\nNo, I said.\n"),
              "Subject: Orchid Digest\n\n<1>\n\nYes.\n> -----Original Message-----\n> From: C\n> \n> How?\n"
              "<2>\n\nNo.\n> -----Original Message-----\n> From: A\n> \n> Yes?\nNo, I said.\n");
}

TEST(PhraseFillings, ByNumberOrInTurnAndNeverAFormat) {
    const char* const fillings[] = {"2", "Lea", "Spring"};
    auto said = [&](const char* phrase, std::size_t count) {
        ownedText out;
        EXPECT_TRUE(out.assign("", 0));
        EXPECT_TRUE(appendPhraseFillings(out, phrase, fillings, count));
        return std::string(out.get(), out.length());
    };
    EXPECT_EQ(said("Message %1$s : de %2$s, %3$s.", 3), "Message 2 : de Lea, Spring.");
    EXPECT_EQ(said("%3$s (%2$s) %1$s", 3), "Spring (Lea) 2");
    EXPECT_EQ(said("%s, %s, %s, %s", 3), "2, Lea, Spring, %s");
    // A filling not given, and every other '%', stay as written.
    EXPECT_EQ(said("%2$s %s %d %n 100% %4$s %1$d %%s", 3), "Lea 2 %d %n 100% %4$s %1$d %Lea");
    EXPECT_EQ(said("%s and %1$s, %2$s", 1), "2 and 2, %2$s");
    EXPECT_EQ(said(nullptr, 3), "");
}
