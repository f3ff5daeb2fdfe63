#include "plugin_copy.h"

#include <chrono>
#include <filesystem>
#include <random>
#include <system_error>

namespace postsift::host {

namespace fs = std::filesystem;

namespace {

// A folder of the system's temporary folder that did not exist before.
bool makePrivateFolder(fs::path& folder, std::string& error) {
    std::error_code failure;
    const fs::path temporary = fs::temp_directory_path(failure);
    if (failure) {
        error = "no temporary folder: " + failure.message();
        return false;
    }
    std::mt19937 random(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                        std::random_device{}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        folder = temporary / ("postsift-filter-" + std::to_string(random()));
        if (fs::create_directory(folder, failure)) return true;
        if (failure) break;
    }
    error = "cannot make a folder in " + temporary.string() + (failure ? ": " + failure.message() : std::string());
    return false;
}

bool copyFile(const fs::path& from, const fs::path& to, std::string& error) {
    std::error_code failure;
    if (fs::copy_file(from, to, fs::copy_options::overwrite_existing, failure)) return true;
    error = "cannot copy " + from.string() + " to " + to.string() + ": " + failure.message();
    return false;
}

}  // namespace

pluginCopy::~pluginCopy() {
    std::error_code ignored;
    if (!folder_.empty()) fs::remove_all(folder_, ignored);
}

bool pluginCopy::make(const std::string& plugin, const std::string& config, std::string& error) {
    fs::path folder;
    if (!makePrivateFolder(folder, error)) return false;
    folder_ = folder.string();
    const fs::path copy = folder / fs::path(plugin).filename();
    if (!copyFile(plugin, copy, error)) return false;
    if (!config.empty() && !copyFile(config, folder / "postsift.cfg", error)) return false;
    path_ = copy.string();
    return true;
}

std::string configurationBeside(const std::string& plugin) {
    return (fs::path(plugin).parent_path() / "postsift.cfg").string();
}

}  // namespace postsift::host
