#include <windows.h>

#include "platform/read_only_file.h"

namespace postsift::platform {

namespace {

HANDLE handleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

readOnlyFile::readOnlyFile(const char* path) {
    if (path == nullptr) return;
    // Others may keep the file open, even for writing, while it is read.
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
                                    nullptr);
    if (file != INVALID_HANDLE_VALUE) handle_ = reinterpret_cast<std::intptr_t>(file);
}

readOnlyFile::~readOnlyFile() {
    if (isOpen()) CloseHandle(handleOf(handle_));
}

std::ptrdiff_t readOnlyFile::read(char* into, std::size_t size) {
    DWORD count = 0;
    if (!ReadFile(handleOf(handle_), into, static_cast<DWORD>(size), &count, nullptr)) return -1;
    return static_cast<std::ptrdiff_t>(count);
}

}  // namespace postsift::platform
