#include "platform/read_only_file.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace postsift::platform {

readOnlyFile::readOnlyFile(const char* path) {
    if (path == nullptr) return;
    const int descriptor = ::open(path, O_RDONLY | O_CLOEXEC);
    if (descriptor >= 0) handle_ = descriptor;
}

readOnlyFile::~readOnlyFile() {
    if (isOpen()) ::close(static_cast<int>(handle_));
}

std::ptrdiff_t readOnlyFile::read(char* into, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(static_cast<int>(handle_), into, size);
        if (count >= 0) return count;
        if (errno != EINTR) return -1;
    }
}

}  // namespace postsift::platform
