#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/stdout_capture.h"

namespace postsift::platform {
namespace {

std::string reason(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

// An unnamed temporary file, gone as soon as it is closed.
int openTemporaryFile() {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") +
                          "/postsift-stdout-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd >= 0) unlink(pattern.c_str());
    return fd;
}

}  // namespace

stdoutCapture::stdoutCapture() {
    // What was written before belongs to the real standard output.
    std::fflush(stdout);
    captureFile_ = openTemporaryFile();
    if (captureFile_ < 0) {
        error_ = reason("cannot create a temporary file for standard output");
        return;
    }
    savedOutput_ = fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    if (savedOutput_ < 0) {
        error_ = reason("cannot keep standard output");
        close(captureFile_);
        captureFile_ = -1;
        return;
    }
    if (dup2(captureFile_, STDOUT_FILENO) < 0) {
        error_ = reason("cannot redirect standard output");
        close(savedOutput_);
        close(captureFile_);
        savedOutput_ = captureFile_ = -1;
        return;
    }
    capturing_ = true;
}

stdoutCapture::~stdoutCapture() {
    restore();
    if (captureFile_ >= 0) close(captureFile_);
}

void stdoutCapture::restore() {
    if (!capturing_) return;
    std::fflush(stdout);
    dup2(savedOutput_, STDOUT_FILENO);
    close(savedOutput_);
    savedOutput_ = -1;
    capturing_ = false;
}

bool stdoutCapture::finish(std::string& captured) {
    captured.clear();
    if (!capturing_) return false;
    restore();
    if (lseek(captureFile_, 0, SEEK_SET) < 0) {
        error_ = reason("cannot read captured standard output");
        return false;
    }
    char buffer[8192];
    for (;;) {
        const ssize_t got = read(captureFile_, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            error_ = reason("cannot read captured standard output");
            return false;
        }
        captured.append(buffer, static_cast<std::size_t>(got));
    }
    close(captureFile_);
    captureFile_ = -1;
    return true;
}

}  // namespace postsift::platform
