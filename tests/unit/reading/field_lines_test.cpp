// A field line of the leading header and its keyword, read in one walk,
// against the two readings it stands for.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "reading/lines/leading_header.h"

using namespace postsift;

TEST(FieldLines, OneWalkFindsTheFieldAndTheKeywordAsTheTwoReadingsDo) {
    // The bytes where the two readings part: name and keyword bytes, the
    // signs that only a name may hold, blanks, '/' after a colon, a CR.
    const std::string bytes = "aZ-:*>_ \t/x\r";
    std::mt19937 random(20261209);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 9);
        for (int i = 0; i < length; ++i) text += bytes[random() % bytes.size()];
        text += '\n';
        const messageLine line = lineAt(text.data(), text.data() + text.size());
        const char* keyword = nullptr;
        const char* keywordEnd = nullptr;
        const bool field = isLeadingFieldLine(line, keyword, keywordEnd);
        ASSERT_EQ(field, isLeadingFieldLine(line)) << text;
        if (!field) continue;
        const char* expectedKeyword = nullptr;
        const char* expectedEnd = headerKeywordEnd(line, expectedKeyword);
        ASSERT_EQ(keywordEnd, expectedEnd) << text;
        if (expectedEnd != nullptr) {
            ASSERT_EQ(keyword, expectedKeyword) << text;
        }
    }
}
