// The before-and-after examples of the README, checked byte for byte, so
// that the README can never drift from what the plug-ins do. An example is
// marked in the README by two comments, each right before a fenced block:
//
//   <!-- example input: examples/NAME.eml -->
//   the block holds the file's bytes
//   <!-- example output: examples/NAME.eml CODE [cfg=FILE.cfg] -->
//   the block holds what postsift-filter prints for it: the plug-in's text
//   in UTF-8, ending with a line end
//
// CODE is a language's code ("fr"); with cfg=, the plug-in reads that file
// of the tree as the postsift.cfg beside it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "build_files.h"
#include "kept_plugin.h"
#include "plugin_exports.h"
#include "read_file.h"
#include "text_encoding.h"

using namespace postsift;
namespace fs = std::filesystem;

namespace {

const fs::path readmeFolder = buildFile(POSTSIFT_README_FOLDER);

struct fencedBlock {
    std::string marker;  // the words of the comment before it
    std::string text;
};

// Every fenced block that a "<!-- example ... -->" line comes right before.
std::vector<fencedBlock> markedBlocks(const std::string& readme) {
    std::vector<fencedBlock> blocks;
    std::istringstream lines(readme);
    std::string line;
    std::string marker;
    while (std::getline(lines, line)) {
        if (line.rfind("<!-- example ", 0) == 0) {
            const std::size_t end = line.find(" -->");
            marker = line.substr(13, end == std::string::npos ? std::string::npos : end - 13);
            continue;
        }
        if (line.rfind("```", 0) == 0 && !marker.empty()) {
            fencedBlock block{marker, ""};
            while (std::getline(lines, line) && line.rfind("```", 0) != 0) block.text += line + "\n";
            blocks.push_back(block);
        }
        marker.clear();
    }
    return blocks;
}

// The build's folder for a language code, or "" for an unknown one.
std::string languageFolder(const std::string& code) {
    std::string list;
    if (!readFile((readmeFolder / "languages.txt").string(), list)) return "";
    std::istringstream lines(list);
    for (std::string listed, folder; lines >> listed >> folder;)
        if (listed == code) return folder;
    return "";
}

std::vector<std::string> wordsOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// The plug-in for one example: a copy of the built one in a folder of its
// own, with the example's configuration beside it when it names one.
std::string preparePlugin(const std::string& language, const std::string& config, const std::string& folder) {
    const fs::path built = builtPluginFile(language);
    if (config.empty()) return built.string();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    const fs::path copy = fs::path(folder) / platform::pluginLibrary::fileName();
    fs::copy_file(built, copy);
    fs::copy_file(readmeFolder / config, fs::path(folder) / "postsift.cfg");
    return copy.string();
}

std::string spokenText(const std::string& pluginPath, const std::string& message, std::string& error) {
    const pluginExports* plugin = keptPlugin(pluginPath, error);
    if (plugin == nullptr) return "";
    const pluginExports& api = *plugin;
    void* filter = nullptr;
    if (api.getObject(POSTSIFT_OBJECT_FILTER, &filter) != 1) {
        error = "getObject failed";
        return "";
    }
    api.setFilter(0, filter);
    const char* spoken = nullptr;
    api.getFilteredText(0, filter, message.c_str(), &spoken);
    std::string text = spoken != nullptr ? spoken : "";
    api.deleteFilter(0, filter);
    return text;
}

}  // namespace

TEST(ReadmeExamples, AreWhatThePlugInsSay) {
    std::string readme;
    ASSERT_TRUE(readFile((readmeFolder / "README.md").string(), readme)) << readmeFolder;
    const std::vector<fencedBlock> blocks = markedBlocks(readme);
    int outputs = 0;
    for (const fencedBlock& block : blocks) {
        const std::vector<std::string> words = wordsOf(block.marker);
        ASSERT_GE(words.size(), 2u) << block.marker;
        std::string message;
        ASSERT_TRUE(readFile((readmeFolder / words[1]).string(), message)) << words[1];
        if (words[0] == "input:") {
            EXPECT_EQ(block.text, message) << "the README's copy of " << words[1] << " differs from the file";
            continue;
        }
        ASSERT_EQ(words[0], "output:") << block.marker;
        ASSERT_GE(words.size(), 3u) << block.marker;
        const std::string language = languageFolder(words[2]);
        ASSERT_FALSE(language.empty()) << "no language with the code of " << block.marker;
        std::string config;
        if (words.size() > 3) {
            ASSERT_EQ(words[3].rfind("cfg=", 0), 0u) << block.marker;
            config = words[3].substr(4);
        }
        const std::string folder = "readme-plugins-" + std::to_string(outputs);
        std::string error;
        // As postsift-filter hands it over: as it is, for the plug-in to decode.
        std::string spoken = spokenText(preparePlugin(language, config, folder),
                                        host::toPluginMessage(message, host::inputEncoding::automatic, true), error);
        ASSERT_TRUE(error.empty()) << error;
        // As postsift-filter prints it: UTF-8, ending with a line end.
        spoken = host::windows1252ToUtf8(spoken);
        if (spoken.empty() || spoken.back() != '\n') spoken += '\n';
        EXPECT_EQ(block.text, spoken) << "the README's spoken text for " << words[1] << " (" << words[2]
                                      << ") differs from what the plug-in says";
        ++outputs;
    }
    // A README without marked examples would pass by checking nothing.
    EXPECT_GE(outputs, 1);
}
