// Quoted-printable and base64 at their edges: what the e2e messages, which
// are well formed, never reach.
#include <gtest/gtest.h>

#include "mime/flowed_text.h"
#include "mime/transfer_decoding.h"
#include "mime_test_support.h"

using namespace postsift::mime;

namespace {

std::string quotedPrintable(const std::string& encoded) {
    textBuffer out;
    decodeQuotedPrintable(spanOf(encoded), out);
    return textOf(out);
}

std::string base64(const std::string& encoded) {
    textBuffer out;
    decodeBase64(spanOf(encoded), out);
    return textOf(out);
}

}  // namespace

TEST(QuotedPrintable, SoftLineBreaksJoinLinesWhateverTheirEnd) {
    EXPECT_EQ(quotedPrintable("ab=\ncd=\r\nef"), "abcdef");
    // Blanks a transport added after the '=' do not keep the lines apart.
    EXPECT_EQ(quotedPrintable("ab= \t\ncd"), "abcd");
    // A soft break at the very end, with or without its line end.
    EXPECT_EQ(quotedPrintable("end=\n"), "end");
    EXPECT_EQ(quotedPrintable("end="), "end");
    EXPECT_EQ(quotedPrintable("end=  "), "end");
}

TEST(QuotedPrintable, EscapesInEitherCaseAndMalformedOnesLeftAsTheyAre) {
    EXPECT_EQ(quotedPrintable("=C3=A9=c3=a9=3D"), "\xc3\xa9\xc3\xa9=");
    EXPECT_EQ(quotedPrintable("100=% =G1 =4"), "100=% =G1 =4");
    EXPECT_EQ(quotedPrintable("x=\r"), "x=\r");  // a CR alone is no line end
    EXPECT_EQ(quotedPrintable("=3"), "=3");
    EXPECT_EQ(quotedPrintable("=00"), std::string(1, '\0'));
}

TEST(Base64, PaddingMissingOrPresentAndEverythingOutsideTheAlphabetPassedOver) {
    EXPECT_EQ(base64("QUJD"), "ABC");
    EXPECT_EQ(base64("QUI="), "AB");
    EXPECT_EQ(base64("QUI"), "AB");
    EXPECT_EQ(base64("QQ=="), "A");
    EXPECT_EQ(base64("QQ"), "A");
    EXPECT_EQ(base64("Q\r\nU\t J\x01 D !"), "ABC");
    // A lone character at the end gives nothing; two texts run together
    // both decode.
    EXPECT_EQ(base64("QUJDR"), "ABC");
    EXPECT_EQ(base64("QQ==QkM="), "ABC");
    EXPECT_EQ(base64(""), "");
    EXPECT_EQ(base64("===="), "");
}

TEST(FlowedText, SoftBreaksJoinLinesAtOneQuoteDepth) {
    textBuffer out;
    unwrapFlowedText(spanOf("a soft \nline\n> q1 \n> q2\n>> deep\n-- \nsig \n"), false, out);
    EXPECT_EQ(textOf(out), "a soft line\n> q1 q2\n>> deep\n-- \nsig \n");
    textBuffer deleted;
    unwrapFlowedText(spanOf("a soft \r\nline \r\n>> not joined\r\n"), true, deleted);
    EXPECT_EQ(textOf(deleted), "a softline\n>> not joined\n");
}
