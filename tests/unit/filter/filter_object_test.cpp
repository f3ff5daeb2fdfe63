#include <gtest/gtest.h>

#include "filter/epost_sift.h"

using namespace postsift;

TEST(FilterObject, StartsInactiveAndPassesTheCallersPointerThrough) {
    epostSift filter;
    EXPECT_EQ(filter.isActive(), 0);
    const char* text = "Subject: hi\n";
    const char* out = nullptr;
    EXPECT_EQ(filter.getFilteredText(text, &out, 0), 0);
    EXPECT_EQ(out, text);
    EXPECT_EQ(filter.bodyStarted, 0);
}

TEST(FilterObject, ForceFiltersEvenWhenInactive) {
    epostSift filter;
    const char* out = nullptr;
    filter.getFilteredText("x", &out, 1);
    EXPECT_EQ(out, filter.filteredText.get());
}

TEST(FilterObject, DeactivationReleasesTheLastResult) {
    epostSift filter;
    filter.activateFilter();
    filter.filteredText.assign("earlier result");
    filter.deactivateFilter();
    const char* text = "plain";
    const char* out = nullptr;
    filter.getFilteredText(text, &out, 0);
    EXPECT_EQ(out, text);
    EXPECT_TRUE(filter.filteredText.isNull());
}

TEST(FilterObject, ANullTextGivesANullResult) {
    epostSift filter;
    filter.activateFilter();
    filter.filteredText.assign("earlier result");
    const char* out = "not written";
    filter.getFilteredText(nullptr, &out, 0);
    EXPECT_EQ(out, nullptr);
    EXPECT_TRUE(filter.filteredText.isNull());
}
