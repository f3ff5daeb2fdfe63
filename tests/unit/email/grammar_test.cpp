#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "email/email_scanner.h"
#include "email/parse_driver.h"
#include "recording_filter.h"

using namespace postsift;
using calls = std::vector<std::string>;

namespace {

// Runs the grammar over `text` for `filter`; the parser's own answer.
int parse(recordingFilter& filter, const std::string& text) {
    emailInputText = text.c_str();
    emailInputPos = 0;
    emailInputLength = text.size();
    resetEmailScanner();
    currentFilter = &filter;
    return parseEmail();
}

}  // namespace

// Each call records a copy of its text when it is made; had the parser read
// the next token first, the scanner would have put back the byte after the
// text and the copy would run on into the next token.
TEST(EmailGrammar, HeaderBlockThenBody) {
    recordingFilter filter;
    EXPECT_EQ(parse(filter, "From: Zavo Zozu <zavo@post>\nSubject: Hello\n\nHi"), 0);
    EXPECT_EQ(filter.calls, (calls{"beginHeaderItem(\"From:\",0)", "addHeaderItemWord(\" \",0)",
                                   "addHeaderItemWord(\"Zavo\",0)", "addHeaderItemWord(\" \",0)",
                                   "addHeaderItemWord(\"Zozu\",0)", "addHeaderItemWord(\" \",0)",
                                   "setAddressId(\"zavo\")", "setAddressDomain(\"post\")", "completeAddress(0)",
                                   "completeHeaderItem", "beginHeaderItem(\"Subject:\",0)",
                                   "addHeaderItemWord(\" \",0)", "addHeaderItemWord(\"Hello\",0)",
                                   "completeHeaderItem", "completeEntireHeader", "addPlainText(\"\n\",0)",
                                   "addPlainText(\"Hi\",0)"}));
}

TEST(EmailGrammar, KeywordWithoutContentAndTheLastItemCutOff) {
    recordingFilter filter;
    EXPECT_EQ(parse(filter, "Subject:\nTo:"), 0);
    EXPECT_EQ(filter.calls, (calls{"beginHeaderItem(\"Subject:\",0)", "completeHeaderItem",
                                   "beginHeaderItem(\"To:\",0)", "completeHeaderItem", "completeEntireHeader"}));
}

TEST(EmailGrammar, OnlyTheLeadingHeaderBlockIsCompleted) {
    recordingFilter filter;
    EXPECT_EQ(parse(filter, "To: a\nX: <b@c> d\n\nbody\nX-Later: e\nCc: f\nmore"), 0);
    EXPECT_EQ(filter.calls,
              (calls{"beginHeaderItem(\"To:\",0)", "addHeaderItemWord(\" \",0)", "addHeaderItemWord(\"a\",0)",
                     "completeHeaderItem", "beginHeaderItem(\"X:\",0)", "addHeaderItemWord(\" \",0)",
                     "setAddressId(\"b\")", "setAddressDomain(\"c\")", "completeAddress(0)",
                     "addHeaderItemWord(\" \",0)", "addHeaderItemWord(\"d\",0)", "completeHeaderItem",
                     "completeEntireHeader", "addPlainText(\"\n\",0)", "addPlainText(\"body\",0)",
                     "addPlainText(\"\n\",0)", "beginHeaderItem(\"X-Later:\",0)", "addHeaderItemWord(\" \",0)",
                     "addHeaderItemWord(\"e\",0)", "completeHeaderItem", "beginHeaderItem(\"Cc:\",0)",
                     "addHeaderItemWord(\" \",0)", "addHeaderItemWord(\"f\",0)", "completeHeaderItem",
                     "addPlainText(\"more\",0)"}));

    // Text first: no header block leads, so nothing is completed.
    recordingFilter later;
    EXPECT_EQ(parse(later, "Hi\nTo: x\nCc: y\n"), 0);
    EXPECT_EQ(later.calls, (calls{"addPlainText(\"Hi\",0)", "addPlainText(\"\n\",0)", "beginHeaderItem(\"To:\",0)",
                                  "addHeaderItemWord(\" \",0)", "addHeaderItemWord(\"x\",0)", "completeHeaderItem",
                                  "beginHeaderItem(\"Cc:\",0)", "addHeaderItemWord(\" \",0)",
                                  "addHeaderItemWord(\"y\",0)", "completeHeaderItem"}));
}

TEST(EmailGrammar, ALeadingForwardedItemIsCompletedAlone) {
    recordingFilter filter;
    EXPECT_EQ(parse(filter, "> From: Zavo\n> To: <a@b>\nSubject: s\n> quoted\n"), 0);
    EXPECT_EQ(filter.calls,
              (calls{"beginHeaderItem(\"> From:\",1)", "addHeaderItemWord(\" \",1)", "addHeaderItemWord(\"Zavo\",1)",
                     "completeHeaderItem", "completeEntireHeader", "beginHeaderItem(\"> To:\",1)",
                     "addHeaderItemWord(\" \",1)", "setAddressId(\"a\")", "setAddressDomain(\"b\")",
                     "completeAddress(1)", "completeHeaderItem", "beginHeaderItem(\"Subject:\",0)",
                     "addHeaderItemWord(\" \",0)", "addHeaderItemWord(\"s\",0)", "completeHeaderItem",
                     "addPlainText(\"quoted\",1)", "addPlainText(\"\n\",1)"}));
}

TEST(EmailGrammar, OriginalMessageSection) {
    // Forwarded text after a forwarded header item opens a new stretch of
    // forwarded text without announcing the section again.
    recordingFilter filter;
    EXPECT_EQ(parse(filter, "Hi\n-----Original Message-----\nFrom: Zozu\nok then\n"), 0);
    EXPECT_EQ(filter.calls,
              (calls{"addPlainText(\"Hi\",0)", "addPlainText(\"\n\",0)", "beginForwardedSection",
                     "addPlainText(\"\n\",1)", "beginHeaderItem(\"From:\",1)", "addHeaderItemWord(\" \",1)",
                     "addHeaderItemWord(\"Zozu\",1)", "completeHeaderItem", "addPlainText(\"ok\",1)",
                     "addPlainText(\" \",1)", "addPlainText(\"then\",1)", "addPlainText(\"\n\",1)"}));
}

TEST(EmailGrammar, SyntaxErrorsStopTheParseAndKeepWhatWasDone) {
    // A separator at the very end: the section needs at least a line end.
    recordingFilter separator;
    EXPECT_EQ(parse(separator, "Hi\n-----Original Message-----"), 1);
    EXPECT_EQ(separator.calls, (calls{"addPlainText(\"Hi\",0)", "addPlainText(\"\n\",0)", "beginForwardedSection"}));

    // A quote mark with nothing quoted after it.
    recordingFilter quote;
    EXPECT_EQ(parse(quote, "Hi\n> "), 1);
    EXPECT_EQ(quote.calls, (calls{"addPlainText(\"Hi\",0)", "addPlainText(\"\n\",0)"}));

    // No token at all.
    recordingFilter empty;
    EXPECT_EQ(parse(empty, ""), 1);
    EXPECT_TRUE(empty.calls.empty());
}

TEST(EmailGrammar, LongMessagesStayWithinTheStack) {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "X-Item: a b\n";
    for (int i = 0; i < 2000; ++i) text += "word \n> quoted\n";
    for (int i = 0; i < 200; ++i) text += "-----Original Message-----\nFrom: x\ntext\n";
    recordingFilter filter;
    EXPECT_EQ(parse(filter, text), 0);
    // A header line: begin, four words, complete; then the block once.
    // A body line and a quoted line: five pieces of text. The first
    // separator opens the section (announcement, line end, a four-call
    // item, two pieces of text); inside it a separator line is four pieces
    // of forwarded text.
    EXPECT_EQ(filter.calls.size(), 2000u * 6 + 1 + 2000u * 5 + 8 + 199u * 10);
    EXPECT_EQ(filter.calls.back(), "addPlainText(\"\n\",1)");
}
