#pragma once
#include <memory>
#include <string>

#include "plugin_exports.h"

// A plug-in of the build loaded for a fuzz target through its exports, as an
// engine loads it, and kept for the life of the process.
struct loadedPlugin {
    std::unique_ptr<postsift::platform::pluginLibrary> library;
    postsift::pluginExports api;
};

// The French or German plug-in of this build; with a copy folder, a copy
// of it made there first (so that a postsift.cfg can lie beside it). Ends
// the process with a message when it cannot be loaded.
loadedPlugin& builtPlugin(bool german, const char* copyFolder = nullptr);

// The plug-ins write the bytes that no scanner rule matches to standard
// output; a fuzzer has no use for them.
void silenceStandardOutput();
