#include "loaded_plugin.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

loadedPlugin& builtPlugin(bool german, const char* copyFolder) {
    static loadedPlugin plugins[2];
    loadedPlugin& plugin = plugins[german ? 1 : 0];
    if (plugin.library != nullptr) return plugin;

    const char* const language = german ? "german" : "french";
    fs::path path = fs::path(POSTSIFT_BUILD_FOLDER) / language / postsift::platform::pluginLibrary::fileName();
    if (copyFolder != nullptr) {
        const fs::path copy = fs::absolute(fs::path(copyFolder) / language / path.filename());
        std::error_code failed;
        fs::create_directories(copy.parent_path(), failed);
        if (!failed) fs::copy_file(path, copy, fs::copy_options::overwrite_existing, failed);
        if (failed) {
            std::fprintf(stderr, "cannot copy %s to %s: %s\n", path.c_str(), copy.c_str(), failed.message().c_str());
            std::exit(1);
        }
        path = copy;
    }
    plugin.library = std::make_unique<postsift::platform::pluginLibrary>(path.string());
    std::string error;
    if (!plugin.library->isLoaded() ||
        !postsift::resolveExports(*plugin.library, postsift::preferredLookup(), plugin.api, error)) {
        std::fprintf(stderr, "cannot load %s: %s%s\n", path.c_str(), plugin.library->error().c_str(), error.c_str());
        std::exit(1);
    }
    return plugin;
}

void silenceStandardOutput() {
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::fprintf(stderr, "standard output stays open\n");
}
