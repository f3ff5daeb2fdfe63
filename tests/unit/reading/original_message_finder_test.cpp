// Earlier messages in the forms the scanner does not know.
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
