// Reading lines the same way on every system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/text_file.h"
#include "scratch_file.h"

using postsift::ownedText;
using postsift::textFile;

namespace {

// Every line of the file, then whether the reading ended cleanly.
std::vector<std::string> linesOf(const char* path, bool* endedCleanly = nullptr) {
    textFile file(path);
    std::vector<std::string> lines;
    ownedText line;
    textFile::readResult result;
    while ((result = file.readLine(line)) == textFile::lineRead) lines.emplace_back(line.get(), line.length());
    if (endedCleanly != nullptr) *endedCleanly = result == textFile::endOfFile;
    return lines;
}

using lines = std::vector<std::string>;

}  // namespace

TEST(TextFile, LineEndsWithOrWithoutCarriageReturnReadAlike) {
    scratchFile file("text_file_ends.txt", "one\ntwo\r\n\r\n\nthree\r\n");
    bool clean = false;
    EXPECT_EQ(linesOf(file.path(), &clean), (lines{"one", "two", "", "", "three"}));
    EXPECT_TRUE(clean);
}

TEST(TextFile, OnlyTheCarriageReturnBeforeTheLineFeedGoes) {
    std::string bytes = "a\rb\r\r\nc\r";
    bytes += '\0';
    bytes += "d\x1a" "e\n";
    scratchFile file("text_file_bytes.txt", bytes);
    std::string last = "c\r";
    last += '\0';
    last += "d\x1a" "e";
    EXPECT_EQ(linesOf(file.path()), (lines{"a\rb\r", last}));
}

TEST(TextFile, TheLastLineNeedsNoLineFeed) {
    scratchFile file("text_file_last.txt", "first\nlast");
    EXPECT_EQ(linesOf(file.path()), (lines{"first", "last"}));
    scratchFile single("text_file_single.txt", "x");
    EXPECT_EQ(linesOf(single.path()), (lines{"x"}));
}

TEST(TextFile, AnEmptyFileHasNoLines) {
    scratchFile file("text_file_empty.txt", "");
    bool clean = false;
    EXPECT_EQ(linesOf(file.path(), &clean), lines{});
    EXPECT_TRUE(clean);
}

TEST(TextFile, LinesLongerThanTheReadBufferStayWhole) {
    // The reader fetches a few thousand bytes at a time: these lines cross
    // that boundary, one of them with its CR and LF on either side of it.
    const std::string longLine(10000, 'k');
    const std::string crossing(4095, 'c');
    scratchFile file("text_file_long.txt", crossing + "\r\n" + longLine + "\n" + longLine);
    EXPECT_EQ(linesOf(file.path()), (lines{crossing, longLine, longLine}));
}

TEST(TextFile, AMissingFileIsNotOpen) {
    textFile file("text_file_missing.txt");
    EXPECT_FALSE(file.isOpen());
    ownedText line;
    EXPECT_EQ(file.readLine(line), textFile::readFailed);
    EXPECT_FALSE(textFile(nullptr).isOpen());
}
