// The number of the stage's own boundary, against the plain search it
// stands for: the smallest N whose "stem N" the message does not hold.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "mime/boundary_number.h"
#include "mime_test_support.h"

using namespace postsift::mime;

namespace {

constexpr char stem[] = "p-";

std::size_t numberFor(const std::string& message) {
    std::size_t number = 99999;
    EXPECT_TRUE(unusedBoundaryNumber(spanOf(message), stem, number));
    return number;
}

std::size_t plainSearch(const std::string& message) {
    std::size_t number = 0;
    while (message.find(stem + std::to_string(number)) != std::string::npos) ++number;
    return number;
}

}  // namespace

TEST(BoundaryNumber, LeadingRunsOfDigitsAreTakenAndLeadingZerosAreNot) {
    EXPECT_EQ(numberFor(""), 0u);
    EXPECT_EQ(numberFor("p-"), 0u);
    EXPECT_EQ(numberFor("p-0"), 1u);
    EXPECT_EQ(numberFor("p-12"), 0u);
    EXPECT_EQ(numberFor("p-0 p-12 p-2"), 3u);        // 12 holds 1 as well
    EXPECT_EQ(numberFor("p-01p-p-2"), 1u);           // 01 holds 0 only
    EXPECT_EQ(numberFor("p-0p-1p-2p-3p-4p-5p-6p-7p-8p-9p-10"), 11u);
}

TEST(BoundaryNumber, AgreesWithThePlainSearch) {
    std::mt19937 random(20261208);
    const std::string pieces[] = {"p-", "p", "-", "0", "1", "2", "9", "10", "x"};
    for (int round = 0; round < 3000; ++round) {
        std::string message;
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) message += pieces[random() % (sizeof pieces / sizeof pieces[0])];
        EXPECT_EQ(numberFor(message), plainSearch(message)) << message;
    }
}
