#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "platform/stdout_capture.h"

// The plug-in writes through msvcrt's stdout, which it shares with the host:
// moving the runtime's descriptor 1 moves the plug-in's output too.
namespace postsift::platform {
namespace {

std::string reason(const char* what) { return std::string(what) + " (error " + std::to_string(GetLastError()) + ")"; }

// A temporary file that Windows deletes when its last handle closes;
// returned as a binary runtime descriptor, or -1.
int openTemporaryFile(std::string& error) {
    char folder[MAX_PATH + 1];
    char path[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > sizeof folder || GetTempFileNameA(folder, "psf", 0, path) == 0) {
        error = reason("cannot create a temporary file for standard output");
        return -1;
    }
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = reason("cannot open a temporary file for standard output");
        DeleteFileA(path);
        return -1;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY);
    if (fd < 0) {
        error = "cannot open a temporary file for standard output";
        CloseHandle(file);
    }
    return fd;
}

}  // namespace

stdoutCapture::stdoutCapture() {
    // What was written before belongs to the real standard output.
    std::fflush(stdout);
    captureFile_ = openTemporaryFile(error_);
    if (captureFile_ < 0) return;
    savedOutput_ = _dup(1);
    if (savedOutput_ < 0 || _dup2(captureFile_, 1) != 0) {
        error_ = "cannot redirect standard output";
        if (savedOutput_ >= 0) _close(savedOutput_);
        _close(captureFile_);
        savedOutput_ = captureFile_ = -1;
        return;
    }
    capturing_ = true;
}

stdoutCapture::~stdoutCapture() {
    restore();
    if (captureFile_ >= 0) _close(captureFile_);
}

void stdoutCapture::restore() {
    if (!capturing_) return;
    std::fflush(stdout);
    _dup2(savedOutput_, 1);
    _close(savedOutput_);
    savedOutput_ = -1;
    capturing_ = false;
}

bool stdoutCapture::finish(std::string& captured) {
    captured.clear();
    if (!capturing_) return false;
    restore();
    if (_lseek(captureFile_, 0, SEEK_SET) < 0) {
        error_ = "cannot read captured standard output";
        return false;
    }
    char buffer[8192];
    for (;;) {
        const int got = _read(captureFile_, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            error_ = "cannot read captured standard output";
            return false;
        }
        captured.append(buffer, static_cast<std::size_t>(got));
    }
    _close(captureFile_);
    captureFile_ = -1;
    return true;
}

}  // namespace postsift::platform
