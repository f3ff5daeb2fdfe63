#pragma once
#include <memory>
#include <string>

#include "plugin_exports.h"

namespace postsift::host {

// The plug-in file of a language code ("fr"; an unknown one gives the first
// language): in its language folder
// beside this program (the build tree, Windows), else in the installed
// plug-in folder (Linux).
std::string defaultPluginPath(const std::string& language);

// Whether the file can be opened for reading.
bool pluginFileExists(const std::string& path);

// One plug-in and one filter made by it, reached only through the exports,
// in the order an engine calls them. The filter is deleted before the
// library is unloaded.
class pluginSession {
public:
    pluginSession() = default;
    ~pluginSession();
    pluginSession(const pluginSession&) = delete;
    pluginSession& operator=(const pluginSession&) = delete;

    // Loads the plug-in and resolves all ten exports.
    bool load(const std::string& path, std::string& error);
    // getObject, or _zelNewFilter when `bare`.
    bool createFilter(bool bare, std::string& error);
    // _zelUpdateFilter; a null value removes the entry. 0 when done.
    int update(const std::string& key, const std::string* value);
    void activate();

    // _zelGetFilteredText on a NUL-terminated text. `spoken` is what the
    // engine would read: the filter's own text, or `text` itself when the
    // filter is inactive, or null. Either way it stays valid until the next
    // call, and `text` must outlive it. What the plug-in wrote to standard
    // output meanwhile is kept apart in `stray`.
    bool filter(const std::string& text, const char*& spoken, std::string& stray, std::string& error);

private:
    std::unique_ptr<platform::pluginLibrary> library_;
    pluginExports api_;
    void* filter_ = nullptr;
};

}  // namespace postsift::host
