#pragma once
#include <map>
#include <memory>
#include <string>

#include "plugin_exports.h"

// A plug-in file loaded through its exports once and kept loaded until the
// process ends, as an engine keeps a plug-in: its scanners keep their
// buffers for the life of the process, which an unload after every use
// would only leave behind. Null, with `error` saying why, when the file
// cannot be loaded or lacks an export.
inline const postsift::pluginExports* keptPlugin(const std::string& file, std::string& error) {
    struct kept {
        std::unique_ptr<postsift::platform::pluginLibrary> library;
        postsift::pluginExports api;
        std::string error;
    };
    static auto* const loaded = new std::map<std::string, kept>;  // never unloaded
    kept& plugin = (*loaded)[file];
    if (plugin.library == nullptr) {
        plugin.library = std::make_unique<postsift::platform::pluginLibrary>(file);
        if (!plugin.library->isLoaded())
            plugin.error = plugin.library->error();
        else
            postsift::resolveExports(*plugin.library, postsift::preferredLookup(), plugin.api, plugin.error);
    }
    error = plugin.error;
    return error.empty() ? &plugin.api : nullptr;
}
