#include "platform/text_file.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace postsift::platform {

textFile::textFile(const char* path) {
    if (path == nullptr) return;
    const int descriptor = ::open(path, O_RDONLY | O_CLOEXEC);
    if (descriptor >= 0) handle_ = descriptor;
}

textFile::~textFile() {
    if (isOpen()) ::close(static_cast<int>(handle_));
}

std::ptrdiff_t textFile::readRaw(char* into, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(static_cast<int>(handle_), into, size);
        if (count >= 0) return count;
        if (errno != EINTR) return -1;
    }
}

}  // namespace postsift::platform
