// The written text of the reading pass: pieces put in where they go, and
// what it tells of a line written as it stood.
#include <gtest/gtest.h>

#include <string>

#include "reading/pass/reading_output.h"
#include "support/owned_text.h"

using namespace postsift;

namespace {

std::string textOf(const ownedText& text) { return std::string(text.get(), text.length()); }

}  // namespace

TEST(ReadingOutput, APiecePutInMovesWhatFollowsAndTheMarksAfterIt) {
    ownedText text;
    ASSERT_TRUE(text.assign("", 0));
    readingOutput out(text);
    out.put("one two\nthree\n");
    const std::size_t before = out.newMark();
    const std::size_t at = out.newMark();
    const std::size_t after = out.newMark();
    out.setMark(before, 2);
    out.setMark(at, 7);
    out.setMark(after, 9);
    out.insert(7, ".");
    EXPECT_EQ(textOf(text), "one two.\nthree\n");
    EXPECT_EQ(out.mark(before), 2u);
    EXPECT_EQ(out.mark(at), 7u);  // a mark where the piece goes stays before it
    EXPECT_EQ(out.mark(after), 10u);
    out.insert(0, ">> ");
    out.insert(out.length(), "end");
    EXPECT_EQ(textOf(text), ">> one two.\nthree\nend");
    EXPECT_EQ(out.mark(after), 13u);
    out.insert(out.length() + 1, "x");  // outside the text: the pass gives up
    EXPECT_FALSE(out.ok());
}

TEST(ReadingOutput, PlacesNotedAsTheTextGrowsMoveAsMarksDo) {
    ownedText text;
    ASSERT_TRUE(text.assign("", 0));
    readingOutput out(text);
    std::size_t index[3] = {};
    out.put("one\n");
    ASSERT_TRUE(out.noteTrail(index[0]));  // 4: where "two" begins
    out.put("two\n");
    ASSERT_TRUE(out.noteTrail(index[1]));  // 8: where "three" begins
    out.put("three\n");
    ASSERT_TRUE(out.noteTrail(index[2]));  // 14: the end
    out.insert(4, "2 ");                    // where a place is: it stays before the piece
    EXPECT_EQ(out.trailAt(index[0]), 4u);
    EXPECT_EQ(out.trailAt(index[1]), 10u);
    EXPECT_EQ(out.trailAt(index[2]), 16u);
    out.erase(1, 5);  // "ne\n2 " out: a place inside what goes falls to where it went
    EXPECT_EQ(textOf(text), "otwo\nthree\n");
    EXPECT_EQ(out.trailAt(index[0]), 1u);
    EXPECT_EQ(out.trailAt(index[1]), 5u);
    EXPECT_EQ(out.trailAt(index[2]), 11u);
    // The room is bounded; cleared, it is there again.
    std::size_t last = 0;
    while (out.noteTrail(last)) {
    }
    EXPECT_EQ(last, readingOutput::trailRoom - 1);
    out.clearTrail();
    ASSERT_TRUE(out.noteTrail(last));
    EXPECT_EQ(last, 0u);
}

TEST(ReadingOutput, ALineAsItStoodIsKnownUntilAnythingChangesIt) {
    ownedText text;
    ASSERT_TRUE(text.assign("", 0));
    readingOutput out(text);
    out.put("above\n");
    const auto written = [&] {
        const std::size_t from = out.length();
        out.put("Sat, 5 Apr - the line\n");
        out.noteLineAsItStood(from);
        return from;
    };
    std::size_t from = written();
    EXPECT_TRUE(out.holdsLineAsItStood(from));
    EXPECT_FALSE(out.holdsLineAsItStood(from - 1));
    out.put("more");  // written after it
    EXPECT_FALSE(out.holdsLineAsItStood(from));

    from = written();
    out.erase(from + 4, 1);
    out.insert(from + 4, " ");  // the same bytes again, but changed
    EXPECT_EQ(textOf(text).substr(from), "Sat, 5 Apr - the line\n");
    EXPECT_FALSE(out.holdsLineAsItStood(from));

    from = written();
    out.insert(0, "x");  // edits above it, which leave it where it was
    out.erase(0, 1);
    EXPECT_FALSE(out.holdsLineAsItStood(from));
}
