// A plug-in with a postsift.cfg beside it, reached through its exports only.
// What a filter holds is seen through _zelUpdateFilter: removing a key that
// is there answers 0 and one that is not answers 2 (the lists of a filter
// from getObject are never empty), and a symbol that is already defined
// refuses a new value with 2.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "build_files.h"
#include "plugin_exports.h"

using namespace postsift;
namespace fs = std::filesystem;

namespace {

const char* const languages[] = {"french", "german"};

fs::path pluginCopy(const std::string& language) {
    return fs::path("plugins") / language / platform::pluginLibrary::fileName();
}

fs::path configBeside(const std::string& language) { return fs::path("plugins") / language / "postsift.cfg"; }

// The copies are made once, before any of them is loaded: a library file
// must not be rewritten while a process may still have it mapped.
class pluginCopies : public ::testing::Environment {
public:
    void SetUp() override {
        std::error_code ignored;
        fs::remove_all("plugins", ignored);
        for (const char* language : languages) {
            fs::create_directories(pluginCopy(language).parent_path());
            fs::copy_file(builtPluginFile(language), pluginCopy(language));
        }
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all("plugins", ignored);
    }
};

const ::testing::Environment* const copies = ::testing::AddGlobalTestEnvironment(new pluginCopies);

class ConfigFileTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        library = std::make_unique<platform::pluginLibrary>(pluginCopy(GetParam()).make_preferred().string());
        ASSERT_TRUE(library->isLoaded()) << library->error();
        std::string error;
        ASSERT_TRUE(resolveExports(*library, preferredLookup(), api, error)) << error;
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove(configBeside(GetParam()), ignored);
        library.reset();
    }

    bool french() const { return std::string(GetParam()) == "french"; }

    void writeConfig(const std::string& bytes) {
        std::ofstream out(configBeside(GetParam()), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    void* newLocalizedFilter() {
        void* filter = nullptr;
        EXPECT_EQ(api.getObject(1, &filter), 1);
        return filter;
    }

    // Both probes change the filter: the key is gone, or the symbol defined.
    bool removes(void* filter, const std::string& key) {
        return api.updateFilter(0, filter, key.c_str(), nullptr) == 0;
    }
    bool refusesRedefining(void* filter, const char* symbol) {
        return api.updateFilter(0, filter, symbol, "probe") == 2;
    }

    std::unique_ptr<platform::pluginLibrary> library;
    pluginExports api;
};

}  // namespace

TEST_P(ConfigFileTest, WithoutAFileTheFilterHoldsTheBuiltInsOnly) {
    void* filter = newLocalizedFilter();
    ASSERT_NE(filter, nullptr);
    EXPECT_TRUE(removes(filter, "Mon,"));
    EXPECT_FALSE(removes(filter, "Mon,"));
    EXPECT_TRUE(removes(filter, "Content-type:"));
    EXPECT_TRUE(removes(filter, "[INCLUDE FORWARDED TEXT]"));
    EXPECT_EQ(removes(filter, "Lun,"), french());
    // Every build knows the markers of the common mail programs.
    EXPECT_TRUE(removes(filter, "WG:"));
    EXPECT_EQ(removes(filter, "January,"), french());
    EXPECT_TRUE(refusesRedefining(filter, "[HEADER]"));
    EXPECT_TRUE(refusesRedefining(filter, "[CRLF]"));
    EXPECT_EQ(refusesRedefining(filter, "[FORWARDED SECTION]"), french());
    api.deleteFilter(0, filter);
}

TEST_P(ConfigFileTest, TheFileIsAppliedAfterTheBuiltIns) {
    const std::string longKey(1990, 'k');
    writeConfig("Mon,\r\n"
                "Tabs\t\t\tvalue\n"
                "Empty\t\t\n"
                "Blank \tvalue\n"
                "[include email address]\ttrue\n"
                "[CRLF]\tline end\n"
                "FWD:\tAvant:\n"
                "[SENDER]\n"
                "[SENDER]\tDe:|Von:|From:\n"
                "[BODY]\n" +
                longKey + "\tlong\n" +
                "Crlf\tvalue\r\n"
                "Tue,");
    void* filter = newLocalizedFilter();
    ASSERT_NE(filter, nullptr);

    // Removed by a key alone, with a CR LF end and as a last line without one.
    EXPECT_FALSE(removes(filter, "Mon,"));
    EXPECT_FALSE(removes(filter, "Tue,"));
    EXPECT_FALSE(refusesRedefining(filter, "[BODY]"));

    EXPECT_TRUE(removes(filter, "TABS"));
    EXPECT_TRUE(removes(filter, "Empty"));
    EXPECT_TRUE(removes(filter, "Crlf"));
    EXPECT_TRUE(removes(filter, longKey));
    // The blank is part of the key.
    EXPECT_FALSE(removes(filter, "Blank"));
    EXPECT_TRUE(removes(filter, "Blank "));

    // In the file, "[CRLF]" is the line end; the built-in symbol stays.
    EXPECT_TRUE(removes(filter, "\n"));
    EXPECT_TRUE(refusesRedefining(filter, "[CRLF]"));

    // An option key in lower case defined a symbol and left the option.
    EXPECT_TRUE(refusesRedefining(filter, "[include email address]"));
    EXPECT_TRUE(removes(filter, "[INCLUDE EMAIL ADDRESS]"));

    // Redefined in place, and a symbol defined anew after its removal.
    EXPECT_TRUE(removes(filter, "FWD:"));
    EXPECT_TRUE(refusesRedefining(filter, "[SENDER]"));
    api.deleteFilter(0, filter);
}

TEST_P(ConfigFileTest, TheFileIsReadOnceWhenTheFilterIsMade) {
    writeConfig("Extra\tx\n");
    void* before = newLocalizedFilter();
    writeConfig("Other\ty\n");
    void* after = newLocalizedFilter();
    ASSERT_NE(before, nullptr);
    ASSERT_NE(after, nullptr);
    EXPECT_TRUE(removes(before, "Extra"));
    EXPECT_FALSE(removes(before, "Other"));
    EXPECT_TRUE(removes(after, "Other"));
    EXPECT_FALSE(removes(after, "Extra"));
    api.deleteFilter(0, before);
    api.deleteFilter(0, after);
}

TEST_P(ConfigFileTest, ABareFilterReadsNoFile) {
    writeConfig("Extra\tx\n");
    void* filter = api.newFilter(0, 0);
    ASSERT_NE(filter, nullptr);
    // Removing from an empty list answers 0, so give the list one entry.
    EXPECT_EQ(api.updateFilter(0, filter, "Anchor", "x"), 0);
    EXPECT_FALSE(removes(filter, "Extra"));
    EXPECT_FALSE(removes(filter, "Mon,"));
    // No symbols either: a symbol can be defined once.
    EXPECT_FALSE(refusesRedefining(filter, "[HEADER]"));
    api.deleteFilter(0, filter);
}

INSTANTIATE_TEST_SUITE_P(Plugins, ConfigFileTest, ::testing::ValuesIn(languages),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });
