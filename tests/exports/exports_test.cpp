// The plug-ins as an engine sees them: loaded at run time, reached only
// through their exports, by name and (on Windows) by ordinal.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "build_files.h"
#include "plugin_exports.h"

using namespace postsift;

namespace {

struct pluginCase {
    const char* language;
    exportLookup lookup;
};

// Each language has its own folder in the build.
std::string pluginPath(const char* language) { return builtPluginFile(language); }

class ExportsTest : public ::testing::TestWithParam<pluginCase> {
protected:
    void SetUp() override {
        library = std::make_unique<platform::pluginLibrary>(pluginPath(GetParam().language));
        ASSERT_TRUE(library->isLoaded()) << library->error();
        std::string error;
        ASSERT_TRUE(resolveExports(*library, GetParam().lookup, api, error)) << error;
    }

    std::unique_ptr<platform::pluginLibrary> library;
    pluginExports api;
};

}  // namespace

TEST_P(ExportsTest, GetObjectMakesFiltersForTypesOneAndSevenOnly) {
    for (int type : {0, 2, 8, -1}) {
        void* filter = nullptr;
        EXPECT_EQ(api.getObject(type, &filter), 0) << type;
        EXPECT_EQ(filter, nullptr) << type;
    }
    for (int type : {1, 7}) {
        void* filter = nullptr;
        EXPECT_EQ(api.getObject(type, &filter), 1) << type;
        ASSERT_NE(filter, nullptr) << type;
        EXPECT_EQ(api.deleteFilter(0, filter), 0);
    }
    // A pointer already in *out counts as a delivered object.
    int marker = 0;
    void* preset = &marker;
    EXPECT_EQ(api.getObject(2, &preset), 1);
    EXPECT_EQ(preset, &marker);
}

TEST_P(ExportsTest, NewFiltersAreInactiveAndHandBackTheCallersPointer) {
    void* localized = nullptr;
    ASSERT_EQ(api.getObject(1, &localized), 1);
    void* bare = api.newFilter(0, 0);
    ASSERT_NE(bare, nullptr);
    for (void* filter : {localized, bare}) {
        const char* text = "Subject: hello\n\nbody\n";
        const char* out = nullptr;
        EXPECT_EQ(api.getFilteredText(0, filter, text, &out), 0);
        EXPECT_EQ(out, text);
        EXPECT_EQ(api.deleteFilter(0, filter), 0);
    }
}

TEST_P(ExportsTest, AnActiveFilterReturnsItsOwnTextUntilSwitchedOff) {
    void* filter = api.newFilter(0, 0);
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(api.setFilter(0, filter), 0);
    const char* text = "hello\n";
    const char* first = nullptr;
    EXPECT_EQ(api.getFilteredText(0, filter, text, &first), 0);
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, text);

    // The next run releases the first result and hands out a new one.
    const char* second = nullptr;
    api.getFilteredText(0, filter, text, &second);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, text);

    EXPECT_EQ(api.deactivateFilter(0, filter), 0);
    const char* passed = nullptr;
    api.getFilteredText(0, filter, text, &passed);
    EXPECT_EQ(passed, text);

    // The second name of the switch is the same function.
    EXPECT_EQ(api.activateFilter(0, filter), 0);
    const char* again = nullptr;
    api.getFilteredText(0, filter, text, &again);
    EXPECT_NE(again, text);
    EXPECT_EQ(api.deleteFilter(0, filter), 0);
}

TEST_P(ExportsTest, ANullTextThroughAnActiveFilterGivesNull) {
    void* filter = api.newFilter(0, 0);
    api.setFilter(0, filter);
    const char* out = "unchanged";
    EXPECT_EQ(api.getFilteredText(0, filter, nullptr, &out), 0);
    EXPECT_EQ(out, nullptr);
    api.deleteFilter(0, filter);
}

TEST_P(ExportsTest, DeletingNullDoesNothing) { EXPECT_EQ(api.deleteFilter(0, nullptr), 0); }

namespace {

std::vector<pluginCase> pluginCases() {
    std::vector<pluginCase> cases;
    for (const char* language : {"french", "german"}) {
        cases.push_back({language, exportLookup::byName});
        if (platform::pluginLibrary::hasOrdinals()) cases.push_back({language, exportLookup::byOrdinal});
    }
    return cases;
}

std::string caseName(const ::testing::TestParamInfo<pluginCase>& info) {
    return std::string(info.param.language) + (info.param.lookup == exportLookup::byName ? "ByName" : "ByOrdinal");
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Plugins, ExportsTest, ::testing::ValuesIn(pluginCases()), caseName);

TEST(ExportsByOrdinal, TheActivateOrdinalIsTheSetFunction) {
    if (!platform::pluginLibrary::hasOrdinals()) GTEST_SKIP() << "no ordinals on this platform";
    platform::pluginLibrary library(pluginPath("french"));
    ASSERT_TRUE(library.isLoaded()) << library.error();
    EXPECT_EQ(library.byOrdinal(POSTSIFT_ORDINAL_ACTIVATEFILTER), library.byOrdinal(POSTSIFT_ORDINAL_SETFILTER));
    EXPECT_EQ(library.byOrdinal(POSTSIFT_ORDINAL_NEWFILTER), library.byName("_zelNewFilter"));
    EXPECT_EQ(library.byOrdinal(4), nullptr);
    EXPECT_EQ(library.byOrdinal(99), nullptr);
    EXPECT_EQ(library.byOrdinal(107), nullptr);
}
