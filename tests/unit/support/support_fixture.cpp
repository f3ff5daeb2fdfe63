#include "support_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "platform/plugin_library.h"
#include "platform/registry.h"
#include "platform/test_process.h"
#include "support/settings_key.h"

namespace postsift::testing {
namespace fs = std::filesystem;

namespace {

// The folder the test program started in; scratch folders go below it.
const fs::path& startFolder() {
    static const fs::path folder = fs::current_path();
    return folder;
}

}  // namespace

scratchFolder::scratchFolder(const std::string& name)
    : previous_(fs::current_path()), folder_(startFolder() / "scratch" / name) {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    fs::create_directories(folder_);
    fs::current_path(folder_);
}

scratchFolder::~scratchFolder() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
}

std::string scratchFolder::file(const std::string& name) const { return (folder_ / name).string(); }

privateRegistry::privateRegistry() : root_(startFolder() / "scratch" / "registry") {
    if (const char* root = std::getenv("POSTSIFT_REGISTRY_ROOT")) {
        previousRoot_ = root;
        hadRoot_ = true;
    }
    std::error_code ignored;
    fs::remove_all(root_, ignored);
    platform::changeEnvironment("POSTSIFT_REGISTRY_ROOT", root_.string().c_str());
    wipe();
}

privateRegistry::~privateRegistry() {
    std::error_code ignored;
    if (fs::exists(root_, ignored)) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root_, ignored))
            if (entry.is_directory(ignored)) fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    wipe();
    fs::remove_all(root_, ignored);
    platform::changeEnvironment("POSTSIFT_REGISTRY_ROOT", hadRoot_ ? previousRoot_.c_str() : nullptr);
}

void privateRegistry::set(const char* valueName, const char* text) {
    settingsKey key;
    key.createSettingsKey();
    ASSERT_TRUE(key.writeSettingString("LanguageIndependent", valueName, text)) << valueName;
}

std::string privateRegistry::environmentSetting() const { return "POSTSIFT_REGISTRY_ROOT=" + root_.string(); }

void privateRegistry::makeReadOnly() {
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    std::error_code ignored;
    if (!fs::exists(root_, ignored)) return;
    fs::permissions(root_, write, fs::perm_options::remove, ignored);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root_, ignored))
        if (entry.is_directory(ignored)) fs::permissions(entry.path(), write, fs::perm_options::remove, ignored);
}

void privateRegistry::wipe() {
    // Deleting a key takes its values along; only sub-keys hold it back.
    platform::heldKey settings(platform::openKey(nullptr, settingsKey::path, platform::keyAccess::full));
    if (settings.get() == nullptr) return;
    for (const char* subKey : {"LanguageIndependent", "3.0", "Other"}) platform::deleteSubKey(settings.get(), subKey);
    settings.reset();
    platform::heldKey parent(platform::openKey(nullptr, settingsKey::parentPath, platform::keyAccess::full));
    if (parent.get() != nullptr) platform::deleteSubKey(parent.get(), settingsKey::name);
}

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool fileExists(const std::string& path) {
    std::error_code ignored;
    return fs::exists(path, ignored);
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream file(path);
    file << content;
}

std::string maskStamp(const std::string& line) {
    static const std::regex stamp("^[0-9]+ [0-9]+ ");
    return std::regex_replace(line, stamp, "<stamp> ", std::regex_constants::format_first_only);
}

std::string maskDateTime(const std::string& line) {
    static const std::regex dateTime("[0-9]{2}/[0-9]{2}/[0-9]{2}-[0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3}");
    return std::regex_replace(line, dateTime, "<date>", std::regex_constants::format_first_only);
}

platform::childRun runSupportChild(const std::vector<std::string>& arguments,
                                   const std::vector<std::string>& environment) {
    std::vector<std::string> command{platform::pluginLibrary::programFolder() + SUPPORT_CHILD};
    command.insert(command.end(), arguments.begin(), arguments.end());
    platform::childRun run;
    std::string error;
    EXPECT_EQ(platform::runChild(command, "", environment, run, error), platform::childStart::started) << error;
    // Windows text mode writes line ends as CR LF.
    run.output.erase(std::remove(run.output.begin(), run.output.end(), '\r'), run.output.end());
    return run;
}

}  // namespace postsift::testing
