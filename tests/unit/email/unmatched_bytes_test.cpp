#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "email/email_scanner.h"
#include "email/parse_driver.h"
#include "email_test_support.h"
#include "platform/stdout_capture.h"
#include "recording_filter.h"

// Bytes that no rule of the scanner's condition takes yield no token and go
// to standard output unchanged.
using namespace postsift;
using tokens = std::vector<std::string>;

namespace {

struct scanResult {
    tokens found;
    std::string output;
};

scanResult scanCapturing(const std::string& text) {
    scanResult result;
    platform::stdoutCapture capture;
    EXPECT_TRUE(capture.capturing()) << capture.error();
    result.found = emailtest::scan(text);
    EXPECT_TRUE(capture.finish(result.output)) << capture.error();
    return result;
}

}  // namespace

TEST(UnmatchedBytes, CarriageReturnsYieldNoTokenAnywhere) {
    auto body = scanCapturing("a\r\nb\r\n");
    EXPECT_EQ(body.found, (tokens{"LEX_WORD 'a' INITIAL", "CRLF '\n' INITIAL", "LEX_WORD 'b' INITIAL",
                                  "CRLF '\n' INITIAL", "END INITIAL"}));
    EXPECT_EQ(body.output, "\r\r");

    // CR LF ends header lines, folds them and leaves line start as LF does.
    auto header = scanCapturing("Subject: x\r\n\ty\r\nTo: z\r\n\r\nw");
    EXPECT_EQ(header.found,
              (tokens{"KEYWORD 'Subject:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'x' HEADER_SECTION",
                      "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'y' HEADER_SECTION", "NEWLINE LEADING_HEADER",
                      "KEYWORD 'To:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'z' HEADER_SECTION",
                      "NEWLINE LEADING_HEADER", "CRLF '\n' INITIAL", "LEX_WORD 'w' INITIAL", "END INITIAL"}));
    EXPECT_EQ(header.output, "\r\r\r\r");

    auto quoted = scanCapturing("> q\r\n-----Original Message-----\r\nFrom: z\r\nw\r\n");
    EXPECT_EQ(quoted.found,
              (tokens{"'>' FORWARDED_TEXT", "LEX_FOR_WORD 'q' FORWARDED_TEXT", "LEX_FOR_CRLF '\n' INITIAL",
                      "ORIGINAL_MESSAGE ORIGINAL_SECTION", "LEX_FOR_CRLF '\n' ORIGINAL_SECTION",
                      "ORIGINAL_MESSAGE_KEYWORD 'From:' ORIGINAL_HEADER_SECTION",
                      "LEX_WORD ' ' ORIGINAL_HEADER_SECTION", "LEX_WORD 'z' ORIGINAL_HEADER_SECTION",
                      "NEWLINE ORIGINAL_SECTION", "LEX_FOR_WORD 'w' ORIGINAL_SECTION",
                      "LEX_FOR_CRLF '\n' ORIGINAL_SECTION", "END ORIGINAL_SECTION"}));
    EXPECT_EQ(quoted.output, "\r\r\r\r");

    auto address = scanCapturing("To: <ab\r\n @cd>\r\n");
    EXPECT_EQ(address.found,
              (tokens{"KEYWORD 'To:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "'<' ADDRESS_ID",
                      "ID 'ab' ADDRESS_ID", "'@' ADDRESS_DOMAIN", "ADDRESS 'cd' ADDRESS_DOMAIN", "'>' HEADER_SECTION",
                      "NEWLINE LEADING_HEADER", "END INITIAL"}));
    EXPECT_EQ(address.output, "\r\r");
}

TEST(UnmatchedBytes, AngleBracketsThatOpenNoAddressAreHeaderBytes) {
    auto url = scanCapturing("List-Unsubscribe: <https://example.org/u>\nbody\n");
    EXPECT_EQ(url.found,
              (tokens{"KEYWORD 'List-Unsubscribe:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION",
                      "LEX_WORD 'https://example' HEADER_SECTION", "LEX_WORD '.' HEADER_SECTION",
                      "LEX_WORD 'org/u' HEADER_SECTION", "NEWLINE LEADING_HEADER", "LEX_WORD 'body' INITIAL",
                      "CRLF '\n' INITIAL", "END INITIAL"}));
    EXPECT_EQ(url.output, "<>");

    // No '@' inside: the words after it are not taken for an address.
    auto nobody = scanCapturing("To: <nobody>\nHi there @home\n");
    EXPECT_EQ(nobody.found,
              (tokens{"KEYWORD 'To:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'nobody' HEADER_SECTION",
                      "NEWLINE LEADING_HEADER", "LEX_WORD 'Hi' INITIAL", "LEX_WORD ' ' INITIAL", "LEX_WORD 'there' INITIAL",
                      "LEX_WORD ' ' INITIAL", "LEX_WORD '@home' INITIAL", "CRLF '\n' INITIAL", "END INITIAL"}));
    EXPECT_EQ(nobody.output, "<>");

    // No '>' before the line ends.
    auto cut = scanCapturing("To: <ab@cd\nx");
    EXPECT_EQ(cut.found, (tokens{"KEYWORD 'To:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION",
                                 "LEX_WORD 'ab@cd' HEADER_SECTION", "NEWLINE LEADING_HEADER", "LEX_WORD 'x' INITIAL",
                                 "END INITIAL"}));
    EXPECT_EQ(cut.output, "<");

    // A fold or a blank inside the local part would make two ids.
    auto split = scanCapturing("To: <ab\n\tcd@x> <ab @cd>");
    EXPECT_EQ(split.found,
              (tokens{"KEYWORD 'To:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'ab' HEADER_SECTION",
                      "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'cd@x' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION",
                      "LEX_WORD 'ab' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD '@cd' HEADER_SECTION",
                      "LEXX_EOF INITIAL", "END INITIAL"}));
    EXPECT_EQ(split.output, "<><>");

    auto greater = scanCapturing("X: a > b\n");
    EXPECT_EQ(greater.found, (tokens{"KEYWORD 'X:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION",
                                     "LEX_WORD 'a' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION",
                                     "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'b' HEADER_SECTION", "NEWLINE LEADING_HEADER",
                                     "END INITIAL"}));
    EXPECT_EQ(greater.output, ">");
}

TEST(UnmatchedBytes, AHeaderWithAnOpenBracketDoesNotStopTheParse) {
    const std::string message = "List-Unsubscribe: <https://example.org/u>\nTo: <nobody>\n\nHello me@home\n";
    recordingFilter filter;
    std::string output;
    const char* result;
    {
        platform::stdoutCapture capture;
        ASSERT_TRUE(capture.capturing()) << capture.error();
        result = filter.parseEmailText(message.c_str(), message.size());
        ASSERT_TRUE(capture.finish(output)) << capture.error();
    }
    EXPECT_EQ(output, "<><>");
    EXPECT_STREQ(result, "\nHello me@home\n");
    EXPECT_EQ(filter.calls,
              (std::vector<std::string>{
                  "beginHeaderItem(\"List-Unsubscribe:\",0)", "addHeaderItemWord(\" \",0)",
                  "addHeaderItemWord(\"https://example\",0)", "addHeaderItemWord(\".\",0)",
                  "addHeaderItemWord(\"org/u\",0)", "completeHeaderItem", "beginHeaderItem(\"To:\",0)",
                  "addHeaderItemWord(\" \",0)", "addHeaderItemWord(\"nobody\",0)", "completeHeaderItem",
                  "completeEntireHeader", "addPlainText(\"\n\",0)", "addPlainText(\"Hello\",0)",
                  "addPlainText(\" \",0)", "addPlainText(\"me@home\",0)", "addPlainText(\"\n\",0)"}));
}
