// Each message of messages/ goes through the French and the German plug-in,
// as an engine would drive them, and the spoken text must equal the one
// written beside it:
//   NAME.eml      the message, bytes as they arrive
//   NAME.fr.txt   the French spoken text, NAME.de.txt the German one
//   NAME.null     instead of a text: the filter has nothing to say
//   NAME.set      optional KEY<TAB>VALUE lines given to _zelUpdateFilter
//                 first (a line without TAB removes the key)
//   NAME.first    optional message that the same filter reads before
//                 (what it gives is not compared): nothing of it may
//                 reach NAME.eml
//   NAME.shipped.fr.txt, NAME.shipped.de.txt
//                 optional: the spoken texts with the configuration that
//                 the packages install beside the plug-in (examples/)
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "build_files.h"
#include "kept_plugin.h"
#include "plugin_exports.h"
#include "read_file.h"

using namespace postsift;

namespace {

const std::string folder = buildFile(POSTSIFT_E2E_FOLDER);

struct e2eCase {
    std::string name;
    const char* language;  // folder of the plug-in, and "fr" or "de"
    const char* suffix;
    bool shipped;          // with the shipped configuration beside the plug-in
};

bool exists(const std::string& file) { return std::ifstream(file).good(); }

std::vector<e2eCase> e2eCases() {
    std::vector<e2eCase> cases;
    std::string list;
    if (!readFile(folder + "/cases.txt", list)) return cases;
    std::istringstream names(list);
    for (std::string name; std::getline(names, name);) {
        if (name.empty()) continue;
        for (const e2eCase& c : {e2eCase{name, "french", "fr", false}, e2eCase{name, "german", "de", false}}) {
            cases.push_back(c);
            if (exists(folder + "/" + name + ".shipped." + c.suffix + ".txt"))
                cases.push_back({name, c.language, c.suffix, true});
        }
    }
    return cases;
}

void PrintTo(const e2eCase& c, std::ostream* out) { *out << c.name << (c.shipped ? ".shipped." : ".") << c.suffix; }

std::string caseName(const ::testing::TestParamInfo<e2eCase>& info) {
    return info.param.name + (info.param.shipped ? "_shipped_" : "_") + info.param.suffix;
}

// The built plug-in, or a copy of it in a folder of its own with the
// language's shipped configuration beside it as postsift.cfg, made once.
std::string pluginPath(const char* language, bool shipped) {
    if (!shipped) return builtPluginFile(language);
    namespace fs = std::filesystem;
    const fs::path copyFolder = fs::path("shipped") / language;
    const fs::path copy = copyFolder / platform::pluginLibrary::fileName();
    if (!fs::exists(copy)) {
        fs::create_directories(copyFolder);
        fs::copy_file(builtPluginFile(language), copy);
        fs::copy_file(fs::path(folder) / "shipped" / (std::string(language) + ".cfg"), copyFolder / "postsift.cfg");
    }
    return copy.string();
}

// Visible bytes for a failure message: line ends and bytes above 127 shown.
std::string visible(const std::string& text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c == '\n') {
            shown += "\\n\n";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c >= 128 || c < 32) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            shown += escaped;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

class MessageTest : public ::testing::TestWithParam<e2eCase> {
protected:
    void SetUp() override {
        std::string error;
        const pluginExports* plugin = keptPlugin(pluginPath(GetParam().language, GetParam().shipped), error);
        ASSERT_NE(plugin, nullptr) << error;
        api = *plugin;
        ASSERT_EQ(api.getObject(POSTSIFT_OBJECT_FILTER, &filter), 1);
        ASSERT_NE(filter, nullptr);
    }
    void TearDown() override {
        if (filter != nullptr) api.deleteFilter(0, filter);
    }

    void applySettings(const std::string& settings) {
        std::istringstream lines(settings);
        for (std::string line; std::getline(lines, line);) {
            if (line.empty()) continue;
            const std::size_t tab = line.find('\t');
            if (tab == std::string::npos) {
                api.updateFilter(0, filter, line.c_str(), nullptr);
            } else {
                const std::string key = line.substr(0, tab);
                const std::string value = line.substr(tab + 1);
                api.updateFilter(0, filter, key.c_str(), value.c_str());
            }
        }
    }

    pluginExports api;
    void* filter = nullptr;
};

}  // namespace

TEST_P(MessageTest, IsSpokenAsWritten) {
    const e2eCase& c = GetParam();
    const std::string base = folder + "/" + c.name;
    std::string message;
    ASSERT_TRUE(readFile(base + ".eml", message)) << base << ".eml";

    std::string expected;
    std::string ignored;
    const bool expectText = readFile(base + (c.shipped ? ".shipped." : ".") + c.suffix + ".txt", expected);
    const bool expectNull = !c.shipped && readFile(base + ".null", ignored);
    ASSERT_TRUE(expectText != expectNull) << "give either " << c.name << "." << c.suffix
                                          << ".txt or " << c.name << ".null";

    std::string settings;
    if (readFile(base + ".set", settings)) applySettings(settings);

    ASSERT_EQ(api.setFilter(0, filter), 0);
    const char* spoken = nullptr;
    std::string first;
    if (readFile(base + ".first", first)) {
        ASSERT_EQ(api.getFilteredText(0, filter, first.c_str(), &spoken), 0);
    }
    ASSERT_EQ(api.getFilteredText(0, filter, message.c_str(), &spoken), 0);
    if (expectNull) {
        EXPECT_EQ(spoken, nullptr) << visible(spoken != nullptr ? spoken : "");
        return;
    }
    ASSERT_NE(spoken, nullptr);
    const std::string got = spoken;
    EXPECT_EQ(got, expected) << "expected:\n" << visible(expected) << "\ngot:\n" << visible(got);
}

INSTANTIATE_TEST_SUITE_P(Messages, MessageTest, ::testing::ValuesIn(e2eCases()), caseName);

TEST(MessageSuite, HasItsMessages) {
    // An empty list would pass every parametrised test by having none.
    EXPECT_GE(e2eCases().size(), 40u) << "cases.txt in " << folder;
}
