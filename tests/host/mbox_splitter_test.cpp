#include <gtest/gtest.h>

#include "mbox_splitter.h"

using namespace postsift::host;

namespace {

// Splits a whole mailbox fed in pieces of `pieceSize` bytes.
std::vector<std::string> split(const std::string& mailbox, std::size_t pieceSize) {
    mboxSplitter splitter;
    std::vector<std::string> messages;
    for (std::size_t at = 0; at < mailbox.size(); at += pieceSize) splitter.feed(mailbox.substr(at, pieceSize), messages);
    splitter.finish(messages);
    return messages;
}

// The answer must not depend on where the pieces end.
std::vector<std::string> splitEveryWay(const std::string& mailbox) {
    const std::vector<std::string> whole = split(mailbox, mailbox.size() + 1);
    for (std::size_t size : {1, 2, 5, 7}) EXPECT_EQ(split(mailbox, size), whole) << "pieces of " << size;
    return whole;
}

using messages = std::vector<std::string>;

}  // namespace

TEST(MboxSplitter, MessagesStartAtFromLinesWhichAreDropped) {
    EXPECT_EQ(splitEveryWay("From a Mon Jan  1 00:00:00 2024\nSubject: one\n\nbody one\n\n"
                            "From b Mon Jan  1 00:00:00 2024\nSubject: two\n\nbody two\n\n"),
              (messages{"Subject: one\n\nbody one\n", "Subject: two\n\nbody two\n"}));
    // Only "From " at the start of a line: not "Fromage", not "From" inside a line.
    EXPECT_EQ(splitEveryWay("From a\nx\nFromage\nsay From b\nFrom:\n"), (messages{"x\nFromage\nsay From b\nFrom:\n"}));
}

TEST(MboxSplitter, QuotedFromLinesLoseOneQuote) {
    EXPECT_EQ(splitEveryWay("From a\n>From here\n>>From there\n>>>From far\n> From not\n>Fro\n"),
              (messages{"From here\n>From there\n>>From far\n> From not\n>Fro\n"}));
}

TEST(MboxSplitter, TheSeparatorLineGoesButTheMessagesOwnBlankLinesStay) {
    // Only one empty line before the next "From " belongs to the mailbox.
    EXPECT_EQ(splitEveryWay("From a\nbody\n\n\nFrom b\nlast"), (messages{"body\n\n", "last"}));
    // A mailbox written with CR LF keeps its CR LF, less the separator line.
    EXPECT_EQ(splitEveryWay("From a\r\nbody\r\n\r\nFrom b\r\nnext\r\n\r\n"), (messages{"body\r\n", "next\r\n"}));
    // An empty message keeps its place.
    EXPECT_EQ(splitEveryWay("From a\n\nFrom b\nx\n"), (messages{"", "x\n"}));
}

TEST(MboxSplitter, TextBeforeTheFirstFromLineIsKeptUnlessBlank) {
    EXPECT_EQ(splitEveryWay("stray text\n\nFrom a\nbody\n"), (messages{"stray text\n", "body\n"}));
    EXPECT_EQ(splitEveryWay("\n \nFrom a\nbody\n"), (messages{"body\n"}));
    EXPECT_EQ(splitEveryWay("no mailbox at all\n"), (messages{"no mailbox at all\n"}));
    EXPECT_EQ(splitEveryWay(""), messages{});
}
