// Each message of messages/ goes through every language's plug-in, as an
// engine would drive them, and the spoken text must equal the one written
// in that language's folder:
//   NAME.eml      the message, bytes as they arrive
//   NAME.null     instead of texts: no build has anything to say
//   NAME.set      optional KEY<TAB>VALUE lines given to _zelUpdateFilter
//                 first (a line without TAB removes the key)
//   NAME.first    optional message that the same filter reads before
//                 (what it gives is not compared): nothing of it may
//                 reach NAME.eml
//   LANGUAGE/NAME.txt          the spoken text of that language's build
//   LANGUAGE/NAME.shipped.txt  optional: the spoken text with the
//                 configuration that the packages install beside it
// The first language of languages.txt speaks every message; another one
// speaks those it has texts for.
//
// Every case runs twice: with the message's bytes as they are, and with its
// line ends written CR LF, as Windows engines hand text over (each LF that
// no CR precedes gets one; CR LF stays as it is; NAME.first is rewritten the
// same way). The CR LF run must give the same text: the spoken text, with
// each CR LF pair in it taken for one LF, equals the expected text byte for
// byte. A CR that the output carries through before its LF is no fault; any
// other CR, or a text that differs in anything else, is.
#include <gtest/gtest.h>

#include <algorithm>
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
#include "shipped_plugin.h"

using namespace postsift;

namespace {

const std::string folder = buildFile(POSTSIFT_E2E_FOLDER);

struct e2eCase {
    std::string name;
    std::string language;  // folder of the plug-in and of its texts
    bool shipped;          // with the shipped configuration beside the plug-in
    bool crlf;             // the message's line ends written CR LF
};

bool exists(const std::string& file) { return std::ifstream(file).good(); }

std::vector<std::string> lines(const std::string& file) {
    std::vector<std::string> found;
    std::string text;
    if (!readFile(file, text)) return found;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) found.push_back(line);
    return found;
}

std::vector<std::string> languages() { return lines(folder + "/languages.txt"); }
std::vector<std::string> messageNames() { return lines(folder + "/cases.txt"); }

std::string expectedFile(const e2eCase& c) {
    return folder + "/" + c.language + "/" + c.name + (c.shipped ? ".shipped.txt" : ".txt");
}

std::vector<e2eCase> e2eCases() {
    std::vector<e2eCase> cases;
    const std::vector<std::string> all = languages();
    for (const std::string& name : messageNames()) {
        const bool silent = exists(folder + "/" + name + ".null");
        for (std::size_t i = 0; i < all.size(); ++i) {
            for (const bool crlf : {false, true}) {
                const e2eCase plain{name, all[i], false, crlf};
                // The first language must speak every message: a missing text
                // there is a failure, not a skipped case.
                if (silent || i == 0 || exists(expectedFile(plain))) cases.push_back(plain);
                const e2eCase shipped{name, all[i], true, crlf};
                if (exists(expectedFile(shipped))) cases.push_back(shipped);
            }
        }
    }
    return cases;
}

void PrintTo(const e2eCase& c, std::ostream* out) {
    *out << c.language << "/" << c.name << (c.shipped ? ".shipped" : "") << (c.crlf ? " (CR LF)" : "");
}

std::string caseName(const ::testing::TestParamInfo<e2eCase>& info) {
    return info.param.name + (info.param.shipped ? "_shipped_" : "_") + info.param.language +
           (info.param.crlf ? "_crlf" : "");
}

// Each LF that no CR precedes gets one.
std::string withCrLf(const std::string& text) {
    std::string rewritten;
    rewritten.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) rewritten += '\r';
        rewritten += text[i];
    }
    return rewritten;
}

// Each CR LF pair taken for one LF; a CR anywhere else stays.
std::string withLf(const std::string& text) {
    std::string rewritten;
    rewritten.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        rewritten += text[i];
    }
    return rewritten;
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
        const pluginExports* plugin = keptPlugin(pluginPath(folder, GetParam().language, GetParam().shipped), error);
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
    if (c.crlf) message = withCrLf(message);

    std::string expected;
    const bool expectNull = exists(base + ".null");
    const bool expectText = readFile(expectedFile(c), expected);
    ASSERT_TRUE(expectText != expectNull) << "give either " << expectedFile(c) << " or " << c.name << ".null";

    std::string settings;
    if (readFile(base + ".set", settings)) applySettings(settings);

    ASSERT_EQ(api.setFilter(0, filter), 0);
    const char* spoken = nullptr;
    std::string first;
    if (readFile(base + ".first", first)) {
        if (c.crlf) first = withCrLf(first);
        ASSERT_EQ(api.getFilteredText(0, filter, first.c_str(), &spoken), 0);
    }
    ASSERT_EQ(api.getFilteredText(0, filter, message.c_str(), &spoken), 0);
    if (expectNull) {
        EXPECT_EQ(spoken, nullptr) << visible(spoken != nullptr ? spoken : "");
        return;
    }
    ASSERT_NE(spoken, nullptr);
    const std::string got = c.crlf ? withLf(spoken) : std::string(spoken);
    EXPECT_EQ(got, expected) << "expected:\n" << visible(expected) << "\ngot:\n" << visible(got);
}

INSTANTIATE_TEST_SUITE_P(Messages, MessageTest, ::testing::ValuesIn(e2eCases()), caseName);

TEST(MessageSuite, HasItsMessages) {
    // An empty list would pass every parametrised test by having none.
    EXPECT_GE(languages().size(), 2u) << "languages.txt in " << folder;
    EXPECT_GE(messageNames().size(), 40u) << "cases.txt in " << folder;
}

TEST(MessageSuite, EveryTextHasItsMessage) {
    // A text whose message was renamed or removed would never be compared.
    namespace fs = std::filesystem;
    const std::vector<std::string> names = messageNames();
    for (const std::string& language : languages()) {
        const fs::path texts = fs::path(folder) / language;
        if (!fs::exists(texts)) continue;  // a language that checks no message
        for (const fs::directory_entry& entry : fs::directory_iterator(texts)) {
            std::string name = entry.path().filename().string();
            for (const char* suffix : {".shipped.txt", ".txt"}) {
                const std::size_t length = std::char_traits<char>::length(suffix);
                if (name.size() > length && name.compare(name.size() - length, length, suffix) == 0) {
                    name.resize(name.size() - length);
                    break;
                }
            }
            EXPECT_NE(std::find(names.begin(), names.end(), name), names.end())
                << language << "/" << entry.path().filename().string() << " has no message";
        }
    }
}
