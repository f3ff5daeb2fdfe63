#include "plugin_registration.h"

#include <cstdio>

#include "platform/plugin_version.h"
#include "plugin_exports.h"

namespace postsift::host {

bool registerPlugin(const std::string& path, bool unregister, std::string& error) {
    platform::pluginLibrary library(path);
    if (!library.isLoaded()) {
        error = "cannot load the plug-in " + path + ": " + library.error();
        return false;
    }
    pluginExports api;
    if (!resolveExports(library, preferredLookup(), api, error)) {
        error = path + ": " + error;
        return false;
    }
    const char* name = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const postsiftResult result = unregister ? api.unregisterServer() : api.registerServer();
    if (result != 0) {
        // An HRESULT, shown as Windows tools show it.
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result) & 0xFFFFFFFFul);
        error = path + ": " + name + " failed (" + code + "); " + platform::registrationNeeds();
        return false;
    }
    return true;
}

}  // namespace postsift::host
