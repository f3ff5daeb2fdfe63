#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "platform/plugin_library.h"

namespace postsift::platform {

pluginLibrary::pluginLibrary(const std::string& path) {
    // A bare name would send dlopen through the library search path.
    const std::string target = path.find('/') == std::string::npos ? "./" + path : path;
    handle_ = dlopen(target.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        error_ = reason != nullptr ? reason : "cannot load " + path;
    }
}

pluginLibrary::~pluginLibrary() {
    if (handle_ != nullptr) dlclose(handle_);
}

void* pluginLibrary::byName(const char* name) {
    if (handle_ == nullptr) return nullptr;
    dlerror();
    void* symbol = dlsym(handle_, name);
    if (symbol == nullptr) error_ = std::string("the plug-in has no export ") + name;
    return symbol;
}

void* pluginLibrary::byOrdinal(unsigned) { return nullptr; }

bool pluginLibrary::hasOrdinals() { return false; }

const char* pluginLibrary::fileName() { return "postsift.so"; }

char pluginLibrary::separator() { return '/'; }

std::string pluginLibrary::programFolder() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "./";
    std::string folder(path, static_cast<std::size_t>(length));
    return folder.substr(0, folder.rfind('/') + 1);
}

}  // namespace postsift::platform
