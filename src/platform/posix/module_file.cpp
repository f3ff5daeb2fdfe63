#include <dlfcn.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/module_file.h"

namespace postsift::platform {

unsigned moduleFileName(char* buffer, unsigned capacity) {
    if (capacity == 0) return 0;
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&moduleFileName), &info) == 0 || info.dli_fname == nullptr)
        return 0;
    // The loader keeps the name as the host passed it, possibly relative:
    // make it absolute, as the module path is on Windows.
    char resolved[PATH_MAX];
    const char* path = realpath(info.dli_fname, resolved) != nullptr ? resolved : info.dli_fname;
    std::size_t length = std::strlen(path);
    if (length >= capacity) length = capacity - 1;
    std::memcpy(buffer, path, length);
    buffer[length] = '\0';
    return static_cast<unsigned>(length);
}

}  // namespace postsift::platform

// Runs when the library (or a program holding this code) is loaded.
__attribute__((constructor)) static void capturePathAtLoad() { postsift::platform::captureModuleFilePath(); }
