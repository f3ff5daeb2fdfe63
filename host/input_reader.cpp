#include "input_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace postsift::host {
namespace {

struct fileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string inputName(const std::string& path) { return path == "-" ? "standard input" : path; }

bool readInPieces(const std::string& path, const std::function<void(std::string_view)>& take, std::string& error) {
    std::unique_ptr<std::FILE, fileCloser> opened;
    std::FILE* file = stdin;
    if (path != "-") {
        opened.reset(std::fopen(path.c_str(), "rb"));
        if (opened == nullptr) {
            error = "cannot open " + path + ": " + std::strerror(errno);
            return false;
        }
        file = opened.get();
    }
    char buffer[65536];
    for (;;) {
        errno = 0;
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
        if (got > 0) take(std::string_view(buffer, got));
        if (got < sizeof buffer) break;
    }
    if (std::ferror(file)) {
        error = "cannot read " + inputName(path) + ": " + (errno != 0 ? std::strerror(errno) : "read error");
        std::clearerr(file);
        return false;
    }
    return true;
}

bool readWhole(const std::string& path, std::string& bytes, std::string& error) {
    bytes.clear();
    return readInPieces(path, [&](std::string_view piece) { bytes.append(piece); }, error);
}

}  // namespace postsift::host
