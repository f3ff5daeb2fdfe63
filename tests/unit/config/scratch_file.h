#pragma once
// A file in the test's working folder, written byte for byte and removed
// when the test ends.
#include <cstdio>
#include <fstream>
#include <string>

class scratchFile {
public:
    scratchFile(const std::string& name, const std::string& bytes) : path_(name) {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ~scratchFile() { std::remove(path_.c_str()); }
    scratchFile(const scratchFile&) = delete;
    scratchFile& operator=(const scratchFile&) = delete;

    const char* path() const { return path_.c_str(); }

private:
    std::string path_;
};
