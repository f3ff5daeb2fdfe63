// Earlier messages in the forms the scanner does not know.
#include "reading/lines/header_names.h"
#include "reading_fixture.h"

using namespace postsift;

TEST_F(ReadingPass, EarlierMessagesBeginOnceAndOnlyAfterText) {
    rule("[FIND ORIGINAL MESSAGE]", "true");
    // A block at the top of the body is the message's own text; a lone
    // "From:" starts nothing, nor a "From:" and a "Date:"; a block after
    // text does, and a second one inside it only has its header lines made
    // plain.
    EXPECT_EQ(read("\nFrom: a\nTo: b\n\nHi\nFrom: c\n\nFrom: h\nDate: i\n\n*From:* d [mailto:d@x.y]\n*Sent:* e\n"
                   "*To:* g\nText\n\n--------- Forwarded message ---------\nDe : f\n"),
              "\nFrom: a\nTo: b\n\nHi\nFrom: c\n\nFrom: h\nDate: i\n\n-----Original Message-----\nFrom: d <d@x.y>\n"
              "Sent: e\nTo: g\nText\n\n--------- Forwarded message ---------\nDe: f\n");
}

TEST_F(ReadingPass, BlocksInTheOtherLanguagesRightUnderTheText) {
    rule("[FIND ORIGINAL MESSAGE]", "true");
    // Under the text with no blank line between; the names become English,
    // which the scanner reads ("De" is French too, and stays).
    const char* const blocks[][2] = {
        {"Van: a\nVerzonden: b\nAan: c\nOnderwerp: d\n", "From: a\nSent: b\nTo: c\nSubject: d\n"},
        {"De: a\nEnviado: b\nPara: c\nAsunto: d\n", "De: a\nSent: b\nTo: c\nSubject: d\n"},
        {"Da: a\nInviato: b\nA: c\nOggetto: d\n", "From: a\nSent: b\nTo: c\nSubject: d\n"},
        {"De: a\nEnviada: b\nPara: c\nAssunto: d\n", "De: a\nSent: b\nTo: c\nSubject: d\n"},
        {"*Fra:* a\n*Sendt:* b\n*Til:* c\n*Emne:* d\n", "From: a\nSent: b\nTo: c\nSubject: d\n"},
        {"From: a\nReply-To: b\nCc: c\n", "From: a\nReply-To: b\nCc: c\n"},
    };
    for (const auto& block : blocks)
        EXPECT_EQ(read(std::string("Yes.\n") + block[0] + "\nold\n"),
                  std::string("Yes.\n-----Original Message-----\n") + block[1] + "\nold\n");
    // In body text these names begin sentences: the scanner takes them for
    // no field name.
    EXPECT_EQ(findHeaderName("A", "A" + 1), nullptr);
    EXPECT_NE(findHeaderName("A", "A" + 1, true), nullptr);
    EXPECT_EQ(read("\nQ: a\nA: b\nPara: c\n"), "\nQ: a\nA: b\nPara: c\n");
}

TEST_F(ReadingPass, AForwardedTextWithItsEndIsAQuoteAndTheTextAfterItOnesOwn) {
    rule("[FIND ORIGINAL MESSAGE]", "true");
    rule("[DROP SIGNATURE]", "true");
    // Written as quoted text, its two lines left out; a signature inside it
    // ends with it.
    EXPECT_EQ(read("Mine.\n--- begin forwarded text\nFrom: a\n\nold\n-- \nA\n--- end forwarded text\nmine\n"),
              "Mine.\n> From: a\n> \n> old\nmine\n");
    // Without its end, it runs to the end of the message.
    EXPECT_EQ(read("Mine.\n--- begin forwarded text\nold\n"), "Mine.\n-----Original Message-----\nold\n");
}
