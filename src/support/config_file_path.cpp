#include "support/config_file_path.h"

#include <cstdlib>
#include <cstring>

namespace postsift {

char* configFilePathFor(const char* path, std::size_t length) {
    // Walk back to the '.' of the extension. A separator met first means the
    // file name has no extension: a '.' further left belongs to a folder,
    // and a file named after that folder is not this library's.
    std::size_t dot = length;
    while (dot > 0) {
        const char c = path[dot - 1];
        if (c == '.' || c == '/' || c == '\\') break;
        --dot;
    }
    if (dot == 0 || path[dot - 1] != '.') return nullptr;
    char* configPath = static_cast<char*>(std::calloc(length + 50, 1));
    if (configPath == nullptr) return nullptr;
    std::memcpy(configPath, path, dot);
    std::memcpy(configPath + dot, "cfg", 3);
    return configPath;
}

}  // namespace postsift
