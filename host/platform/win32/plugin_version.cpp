#include <windows.h>

#include <vector>

#include "platform/plugin_version.h"

namespace postsift::platform {

std::string pluginFileVersion(const std::string& path) {
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &unused);
    if (size == 0) return std::string();
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return std::string();
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", &value, &length) || value == nullptr || length < sizeof(VS_FIXEDFILEINFO))
        return std::string();
    const VS_FIXEDFILEINFO& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
    if (fixed.dwSignature != VS_FFI_SIGNATURE) return std::string();
    // major.minor.patch, as the project numbers its versions; a fourth
    // part only when it says something.
    std::string version = std::to_string(HIWORD(fixed.dwFileVersionMS)) + "." +
                          std::to_string(LOWORD(fixed.dwFileVersionMS)) + "." +
                          std::to_string(HIWORD(fixed.dwFileVersionLS));
    if (LOWORD(fixed.dwFileVersionLS) != 0) version += "." + std::to_string(LOWORD(fixed.dwFileVersionLS));
    return version;
}

const char* registrationNeeds() {
    return "registering writes under HKEY_LOCAL_MACHINE: run it as administrator";
}

}  // namespace postsift::platform
