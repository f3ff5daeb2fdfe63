#pragma once
#include <string>

#include "platform/plugin_library.h"
#include "postsift.h"

namespace postsift {

// The ten exports of a loaded plug-in, as an engine resolves them: by
// ordinal where the platform has ordinals, by name elsewhere.
struct pluginExports {
    postsiftGetObjectFn getObject = nullptr;
    postsiftRegisterFn registerServer = nullptr;
    postsiftRegisterFn unregisterServer = nullptr;
    postsiftNewFilterFn newFilter = nullptr;
    postsiftFilterFn deleteFilter = nullptr;
    postsiftFilterFn setFilter = nullptr;
    postsiftFilterFn deactivateFilter = nullptr;
    postsiftGetFilteredTextFn getFilteredText = nullptr;
    postsiftUpdateFilterFn updateFilter = nullptr;
    postsiftFilterFn activateFilter = nullptr;
};

enum class exportLookup { byName, byOrdinal };

// Fills every export; on failure names the first one missing in `error`.
bool resolveExports(platform::pluginLibrary& library, exportLookup lookup, pluginExports& exports,
                    std::string& error);

// The lookup an engine would use here.
exportLookup preferredLookup();

}  // namespace postsift
