#pragma once
#include <filesystem>
#include <string>

#include "build_files.h"
#include "platform/plugin_library.h"

namespace postsift {

// The built plug-in, or a copy of it in a folder of its own with the
// language's shipped configuration (`folder`/shipped/LANGUAGE.cfg) beside it
// as postsift.cfg, made once.
inline std::string pluginPath(const std::string& folder, const std::string& language, bool shipped) {
    if (!shipped) return builtPluginFile(language);
    namespace fs = std::filesystem;
    const fs::path copyFolder = fs::path("shipped") / language;
    const fs::path copy = copyFolder / platform::pluginLibrary::fileName();
    if (!fs::exists(copy)) {
        fs::create_directories(copyFolder);
        fs::copy_file(builtPluginFile(language), copy);
        fs::copy_file(fs::path(folder) / "shipped" / (language + ".cfg"), copyFolder / "postsift.cfg");
    }
    return copy.string();
}

}  // namespace postsift
