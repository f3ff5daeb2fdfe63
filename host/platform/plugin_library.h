#pragma once
#include <string>

namespace postsift::platform {

// A plug-in loaded at run time, for the programs that use the library only
// through its exports (the engine stand-in and the tests). Not part of the
// library itself.
class pluginLibrary {
public:
    explicit pluginLibrary(const std::string& path);
    ~pluginLibrary();
    pluginLibrary(const pluginLibrary&) = delete;
    pluginLibrary& operator=(const pluginLibrary&) = delete;

    bool isLoaded() const { return handle_ != nullptr; }
    // Why loading or the last lookup failed.
    const std::string& error() const { return error_; }

    void* byName(const char* name);
    // Windows resolves exports by ordinal; elsewhere this finds nothing.
    void* byOrdinal(unsigned ordinal);

    static bool hasOrdinals();
    // "postsift.dll" or "postsift.so".
    static const char* fileName();
    // The folder of the running program, with a trailing separator.
    static std::string programFolder();
    static char separator();

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace postsift::platform
