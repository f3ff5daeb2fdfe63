#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "support/log_facility.h"
#include "support/log_settings.h"

using namespace postsift;

namespace {

int levelOf(const logComponentList& components, const char* name) {
    int level = -1;
    return components.levelOf(name, level) ? level : -1;
}

// The list that set-up starts from, with LogComp parsed onto it.
struct parsedComponents {
    explicit parsedComponents(const char* text, int startLevel = 1) : maxLevel(startLevel) {
        components.set("sem", 3, 1);
        parseLogComponents(text, components, maxLevel);
    }
    logComponentList components;
    int maxLevel;
};

}  // namespace

TEST(LogSettings, LogLevelReadsALeadingDecimalNumber) {
    EXPECT_EQ(parseLogLevel("3", 1), 3);
    EXPECT_EQ(parseLogLevel(" \t+4 and more", 1), 4);
    EXPECT_EQ(parseLogLevel("-2", 1), -2);
    EXPECT_EQ(parseLogLevel("2.9", 1), 2);
    EXPECT_EQ(parseLogLevel("", 1), 1);
    EXPECT_EQ(parseLogLevel("high", 1), 1);
    EXPECT_EQ(parseLogLevel("+ 3", 1), 1);
    // Held at the ends of the range instead of wrapping round.
    EXPECT_EQ(parseLogLevel("99999999999", 1), INT_MAX);
    EXPECT_EQ(parseLogLevel("-99999999999", 1), INT_MIN);
}

TEST(LogSettings, LogFilterLettersChooseColumnsInAnyCase) {
    EXPECT_EQ(parseLogFilter("dpTcfil"), 127u);
    EXPECT_EQ(parseLogFilter("LIFCTPD"), 127u);
    EXPECT_EQ(parseLogFilter("c, f!"), unsigned(columnComponent | columnFunction));
    EXPECT_EQ(parseLogFilter("xyz"), 0u);
    EXPECT_EQ(parseLogFilter(""), 0u);
}

TEST(LogSettings, LogCompTakesItemsUntilTheFirstBrokenOne) {
    const parsedComponents debugMutex("sem:4");
    EXPECT_EQ(levelOf(debugMutex.components, "sem"), 4);
    EXPECT_EQ(debugMutex.maxLevel, 4);
    EXPECT_EQ(debugMutex.components.size(), 1u);

    // No blank may follow the colon.
    const parsedComponents blankAfterColon("sem: 4");
    EXPECT_EQ(levelOf(blankAfterColon.components, "sem"), 1);
    EXPECT_EQ(blankAfterColon.maxLevel, 1);

    const parsedComponents three("Undefined:3,sem:2,  x :1");
    EXPECT_EQ(levelOf(three.components, "Undefined"), 3);
    EXPECT_EQ(levelOf(three.components, "sem"), 2);
    EXPECT_EQ(levelOf(three.components, "x"), 1);
    EXPECT_EQ(three.components.size(), 3u);
    EXPECT_EQ(three.maxLevel, 3);

    const parsedComponents two("Undefined:3,sem:2,  x : 1");
    EXPECT_EQ(levelOf(two.components, "x"), -1);
    EXPECT_EQ(two.components.size(), 2u);

    // A repeated name replaces the level; names compare with their case.
    const parsedComponents repeated("Sem:3, sem:2, sem:4");
    EXPECT_EQ(levelOf(repeated.components, "sem"), 4);
    EXPECT_EQ(levelOf(repeated.components, "Sem"), 3);
    EXPECT_EQ(repeated.components.size(), 2u);

    const parsedComponents tooManyDigits("a:123456789,b:1234567890,c:1");
    EXPECT_EQ(levelOf(tooManyDigits.components, "a"), 123456789);
    EXPECT_EQ(levelOf(tooManyDigits.components, "b"), -1);
    EXPECT_EQ(levelOf(tooManyDigits.components, "c"), -1);

    // The name is the run of letters: an empty one is a name too, a digit ends it.
    const parsedComponents emptyName(":2,sem2:4");
    EXPECT_EQ(levelOf(emptyName.components, ""), 2);
    EXPECT_EQ(levelOf(emptyName.components, "sem"), 1);

    // A lower level never lowers the highest one.
    const parsedComponents lower("Undefined:2", 3);
    EXPECT_EQ(lower.maxLevel, 3);
}

TEST(LogSettings, HeaderCellsFollowTheChosenColumns) {
    ownedText header;
    ASSERT_TRUE(buildColumnHeader(defaultLogColumns, header));
    EXPECT_STREQ(header.get(), "S|------ Date-Time-----|Com|-Function-|-Message--->\n");
    ASSERT_TRUE(buildColumnHeader(127, header));
    EXPECT_STREQ(header.get(),
                 "S|------ Date-Time-----|Com|-PID-|-Thd-|-Function-|-FileName-|-Line#-|-Message--->\n");
    ASSERT_TRUE(buildColumnHeader(0, header));
    EXPECT_STREQ(header.get(), "S|-Message--->\n");
}

TEST(LogSettings, PrefixFieldsAreCutToTheBufferNeverPastIt) {
    char prefix[1024];
    formatLogPrefix(prefix, sizeof prefix, 3, columnComponent | columnSourceFile | columnLine, "Undefined",
                    "Undefined", "filterlist", 130);
    EXPECT_STREQ(prefix, "T Und filterlist 130 ");

    const std::string longFunction(3000, 'f');
    formatLogPrefix(prefix, sizeof prefix, 1, columnComponent | columnFunction | columnLine, "sem",
                    longFunction.c_str(), "zelsemnt", 7);
    EXPECT_EQ(std::strlen(prefix), sizeof prefix - 1);
    EXPECT_EQ(std::string(prefix, 6), "E sem ");

    char small[8];
    formatLogPrefix(small, sizeof small, 4, columnComponent, "sem", nullptr, nullptr, 0);
    EXPECT_STREQ(small, "D sem ");
    formatLogPrefix(small, sizeof small, 4, columnComponent | columnLine, "sem", nullptr, nullptr, 12345);
    EXPECT_STREQ(small, "D sem 1");
}
