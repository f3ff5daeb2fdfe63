#pragma once
#include <cstddef>
#include <cstdint>

namespace postsift::platform {

// A file opened for reading its bytes as they are, closed when the object
// goes. Others may keep it open, even for writing, meanwhile.
class readOnlyFile {
public:
    explicit readOnlyFile(const char* path);
    ~readOnlyFile();
    readOnlyFile(const readOnlyFile&) = delete;
    readOnlyFile& operator=(const readOnlyFile&) = delete;

    bool isOpen() const { return handle_ != closedHandle; }

    // Up to `size` bytes: their number, 0 at the end of the file, -1 on an
    // error.
    std::ptrdiff_t read(char* into, std::size_t size);

private:
    static constexpr std::intptr_t closedHandle = -1;

    std::intptr_t handle_ = closedHandle;
};

}  // namespace postsift::platform
