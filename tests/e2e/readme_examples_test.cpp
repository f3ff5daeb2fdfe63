// The before-and-after examples of the README and of the documents in
// docs/, checked byte for byte, so that they can never drift from what the
// plug-ins do; and their links, so that a moved section leaves none
// pointing nowhere. An example is marked by two comments, each right before
// a fenced block:
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

#include <algorithm>
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

// The README and every document of docs/, as paths below the copied tree.
std::vector<fs::path> documents() {
    std::vector<fs::path> found = {"README.md"};
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::directory_iterator(readmeFolder / "docs", ignored))
        if (entry.path().extension() == ".md") found.push_back(fs::path("docs") / entry.path().filename());
    return found;
}

// A heading's anchor as Markdown viewers make it: lower case, blanks to
// '-', and nothing but letters, digits, '-' and '_' kept.
std::string anchorOf(const std::string& heading) {
    std::string anchor;
    for (char c : heading) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c == ' ') {
            anchor += '-';
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
            anchor += c;
        }
    }
    return anchor;
}

std::vector<std::string> anchorsOf(const std::string& text) {
    std::vector<std::string> anchors;
    std::istringstream lines(text);
    bool fenced = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("```", 0) == 0) fenced = !fenced;
        if (fenced || line.empty() || line[0] != '#') continue;
        const std::size_t start = line.find_first_not_of('#');
        if (start != std::string::npos && line[start] == ' ') anchors.push_back(anchorOf(line.substr(start + 1)));
    }
    return anchors;
}

}  // namespace

TEST(ReadmeExamples, AreWhatThePlugInsSay) {
    int outputs = 0;
    for (const fs::path& document : documents()) {
        std::string readme;
        ASSERT_TRUE(readFile((readmeFolder / document).string(), readme)) << document;
        for (const fencedBlock& block : markedBlocks(readme)) {
            const std::vector<std::string> words = wordsOf(block.marker);
            ASSERT_GE(words.size(), 2u) << block.marker;
            std::string message;
            ASSERT_TRUE(readFile((readmeFolder / words[1]).string(), message)) << words[1];
            if (words[0] == "input:") {
                EXPECT_EQ(block.text, message) << document << "'s copy of " << words[1] << " differs from the file";
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
            std::string spoken =
                spokenText(preparePlugin(language, config, folder),
                           host::toPluginMessage(message, host::inputEncoding::automatic, true), error);
            ASSERT_TRUE(error.empty()) << error;
            // As postsift-filter prints it: UTF-8, ending with a line end.
            spoken = host::windows1252ToUtf8(spoken);
            if (spoken.empty() || spoken.back() != '\n') spoken += '\n';
            EXPECT_EQ(block.text, spoken) << document << "'s spoken text for " << words[1] << " (" << words[2]
                                          << ") differs from what the plug-in says";
            ++outputs;
        }
    }
    // Documents without marked examples would pass by checking nothing.
    EXPECT_GE(outputs, 8);
}

TEST(ReadmeExamples, LinksLeadToFilesAndHeadings) {
    int links = 0;
    for (const fs::path& document : documents()) {
        std::string text;
        ASSERT_TRUE(readFile((readmeFolder / document).string(), text)) << document;
        for (std::size_t at = text.find("]("); at != std::string::npos; at = text.find("](", at + 2)) {
            const std::size_t end = text.find(')', at);
            if (end == std::string::npos) break;
            const std::string target = text.substr(at + 2, end - at - 2);
            if (target.rfind("http", 0) == 0 || target.find(' ') != std::string::npos) continue;
            const std::size_t hash = target.find('#');
            const std::string file = target.substr(0, hash);
            const fs::path linked = file.empty() ? document : (document.parent_path() / file).lexically_normal();
            std::string linkedText;
            EXPECT_TRUE(readFile((readmeFolder / linked).string(), linkedText)) << document << " links to " << target;
            if (hash != std::string::npos) {
                const std::vector<std::string> anchors = anchorsOf(linkedText);
                EXPECT_NE(std::find(anchors.begin(), anchors.end(), target.substr(hash + 1)), anchors.end())
                    << document << " links to " << target << ", a heading that is not there";
            }
            ++links;
        }
    }
    EXPECT_GE(links, 10);
}
