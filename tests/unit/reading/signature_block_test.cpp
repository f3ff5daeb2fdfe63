// Signatures under "-- ".
#include "reading_fixture.h"

using namespace postsift;

TEST_F(ReadingPass, ASignatureEndsWhereAnEarlierMessageBegins) {
    rule("[DROP SIGNATURE]", "true");
    EXPECT_EQ(read("Text\r\n-- \r\nMe\r\n-----Original Message-----\r\nOld\r\n"),
              "Text\r\n-----Original Message-----\r\nOld\r\n");
    // Only a line that is exactly "-- " or "--".
    EXPECT_EQ(read("a\n--  \n -- \n--x\nb\n"), "a\n--  \n -- \n--x\nb\n");
}
