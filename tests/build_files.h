#pragma once
#include <string>

#include "platform/plugin_library.h"

// Every test runs in a working folder of its own, build/test-folders/NAME,
// two levels below the build folder; the build's own files are reached from
// there. `relative` is written with '/', as in "french/postsift.so".
inline std::string buildFile(const std::string& relative) {
    const char separator = postsift::platform::pluginLibrary::separator();
    std::string path = std::string("..") + separator + ".." + separator + relative;
    for (char& c : path)
        if (c == '/') c = separator;
    return path;
}

// The plug-in of a language folder ("french" or "german") of the build.
inline std::string builtPluginFile(const std::string& language) {
    return buildFile(language + "/" + postsift::platform::pluginLibrary::fileName());
}
