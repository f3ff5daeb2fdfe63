#pragma once
#include <fstream>
#include <sstream>
#include <string>

namespace postsift {

// A whole file's bytes, as they are; false when it cannot be read.
inline bool readFile(const std::string& path, std::string& contents) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    contents = bytes.str();
    return true;
}

}  // namespace postsift
