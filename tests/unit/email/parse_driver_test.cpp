#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "email/parse_driver.h"
#include "recording_filter.h"

using namespace postsift;

TEST(ParseEmailText, NullOrEmptyTextGivesNoResult) {
    recordingFilter filter;
    filter.filteredText.assign("from the last message");
    EXPECT_EQ(filter.parseEmailText(nullptr, 0), nullptr);
    EXPECT_TRUE(filter.filteredText.isNull());
    EXPECT_TRUE(filter.calls.empty());

    // An empty text is parsed, stops at once at a syntax error and has
    // produced nothing.
    filter.filteredText.assign("from the last message");
    EXPECT_EQ(filter.parseEmailText("", 0), nullptr);
    EXPECT_TRUE(filter.filteredText.isNull());
    EXPECT_TRUE(filter.calls.empty());
}

TEST(ParseEmailText, EachParseStartsFromAnEmptyResult) {
    recordingFilter filter;
    filter.filteredText.assign("old ");
    const char* result = filter.parseEmailText("Hi there", 8);
    EXPECT_STREQ(result, "Hi there");
    EXPECT_EQ(result, filter.filteredText.get());
    EXPECT_EQ(currentFilter, &filter);

    // A text that stops at a syntax error returns what was built before it.
    EXPECT_STREQ(filter.parseEmailText("Hi\n> ", 5), "Hi\n");
}

TEST(ParseEmailText, AHeaderItemCutOffEarlierDoesNotLeakIntoTheNextMessage) {
    recordingFilter filter;
    filter.headerItemText.assign("Subject: cut off");
    filter.parseEmailText("Hi", 2);
    EXPECT_TRUE(filter.headerItemText.isNull());
}

TEST(ParseEmailText, ReadsNoFurtherThanTheLengthOrTheText) {
    recordingFilter filter;
    EXPECT_STREQ(filter.parseEmailText("Hi there", 2), "Hi");
    // A length beyond the text's NUL must not take the scanner past it.
    EXPECT_STREQ(filter.parseEmailText("Hi", 100), "Hi");
}

TEST(ParseEmailText, TheCallersTextIsLeftAsItWas) {
    const std::string text = "Subject: a b\n\nc d";
    std::vector<char> caller(text.begin(), text.end());
    caller.push_back('\0');
    recordingFilter filter;
    filter.parseEmailText(caller.data(), text.size());
    EXPECT_EQ(std::string(caller.data()), text);
    EXPECT_EQ(filter.calls.size(), 11u);
}

TEST(ParseEmailText, AnActiveFilterHandsOutTheParsedText) {
    recordingFilter filter;
    filter.activateFilter();
    const char* out = nullptr;
    EXPECT_EQ(filter.getFilteredText("a b", &out, 0), 0);
    EXPECT_STREQ(out, "a b");
    EXPECT_EQ(out, filter.filteredText.get());
}
