// A block's words walked without the person words ("I", "me", "not") say
// what a walk with them says, unless the walk says it needs them; on
// random blocks of notice words, labels, person words and sentence ends.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "reading/rules/boilerplate_words.h"

using namespace postsift;

namespace {

std::string randomLine(std::mt19937& random) {
    static const char* const words[] = {
        "To unsubscribe", "unsubscribe", "Unsubscribe.", "I", "i'm", "me", "not", "don't", "je", "pas", "If you",
        "wish", "the list", "mailing", "preferences", "click here", "You are receiving this", "newsletter", "we",
        "send", "you", "mail", "today.", "(Sent from my phone)", "Sent from my phone", "Regards,", "confidential",
        "intended recipient", "delete", "this email", "sponsored by", "free", "virus", "scanned", "Yahoo!", "is",
        "subject to", "terms of", "use.", "\"quoted.\"", "ok?", "-", "...", "Abmelden:", "vous", "d\xe9sabonner"};
    std::string line;
    const int count = static_cast<int>(random() % 9);
    for (int i = 0; i < count; ++i) {
        if (i > 0) line += random() % 5 == 0 ? "  " : " ";
        line += words[random() % (sizeof words / sizeof words[0])];
    }
    return line;
}

struct lineAnswers {
    std::size_t words;
    bool mayBeNotice, automatic, signsOff;
    bool operator==(const lineAnswers& o) const {
        return words == o.words && mayBeNotice == o.mayBeNotice && automatic == o.automatic && signsOff == o.signsOff;
    }
};

}  // namespace

TEST(BlockWords, AWalkWithoutPersonWordsSaysWhatAWalkWithThemSays) {
    std::mt19937 random(20261209);
    int compared = 0;
    int needed = 0;
    for (int round = 0; round < 4000; ++round) {
        std::vector<std::string> lines(1 + random() % 5);
        for (std::string& line : lines) line = randomLine(random);
        blockWords with(blockWords::personWords::looked);
        blockWords without(blockWords::personWords::skipped);
        std::vector<lineAnswers> withLines;
        std::vector<lineAnswers> withoutLines;
        for (const std::string& line : lines) {
            with.addLine(line.data(), line.data() + line.size());
            without.addLine(line.data(), line.data() + line.size());
            withLines.push_back({with.lineWords(), with.lineMayBeNotice(), with.lineIsAutomatic(), with.lineSignsOff()});
            withoutLines.push_back(
                {without.lineWords(), without.lineMayBeNotice(), without.lineIsAutomatic(), without.lineSignsOff()});
        }
        with.finish();
        without.finish();
        ASSERT_FALSE(with.needsPersonWords());
        // Each line's answers never ask the person words.
        ASSERT_EQ(withLines, withoutLines);
        if (without.needsPersonWords()) {
            ++needed;
            continue;
        }
        ++compared;
        std::string block;
        for (const std::string& line : lines) block += line + "\n";
        ASSERT_EQ(with.words(), without.words()) << block;
        ASSERT_EQ(with.noticeWords(), without.noticeWords()) << block;
        ASSERT_EQ(with.disclaimerSides(), without.disclaimerSides()) << block;
        ASSERT_EQ(with.disclaimerClaim(), without.disclaimerClaim()) << block;
        ASSERT_EQ(with.sponsor(), without.sponsor()) << block;
        ASSERT_EQ(with.signupAdvert(), without.signupAdvert()) << block;
        ASSERT_EQ(with.listWords(), without.listWords()) << block;
        ASSERT_EQ(with.virusCheck(), without.virusCheck()) << block;
    }
    // Both kinds of block were met.
    EXPECT_GT(compared, 500);
    EXPECT_GT(needed, 500);
}
