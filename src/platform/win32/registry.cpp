#include <windows.h>

#include "platform/registry.h"

namespace postsift::platform {
namespace {

// The key handle itself stands for the opaque type.
HKEY handleOf(registryKey* key) { return reinterpret_cast<HKEY>(key); }
HKEY baseOf(registryKey* parent) { return parent != nullptr ? handleOf(parent) : HKEY_LOCAL_MACHINE; }
registryKey* keyOf(HKEY handle) { return reinterpret_cast<registryKey*>(handle); }

// The registry calls report failure by their result; the callers of this
// layer ask the thread's last error code.
bool succeeded(LONG result) {
    if (result == ERROR_SUCCESS) return true;
    SetLastError(static_cast<DWORD>(result));
    return false;
}

}  // namespace

registryKey* openKey(registryKey* parent, const char* path, keyAccess access) {
    HKEY opened = nullptr;
    const REGSAM rights = access == keyAccess::full ? KEY_ALL_ACCESS : KEY_READ;
    if (!succeeded(RegOpenKeyExA(baseOf(parent), path, 0, rights, &opened))) return nullptr;
    return keyOf(opened);
}

registryKey* createKey(registryKey* parent, const char* path) {
    HKEY created = nullptr;
    DWORD disposition = 0;
    if (!succeeded(RegCreateKeyExA(baseOf(parent), path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                   nullptr, &created, &disposition)))
        return nullptr;
    return keyOf(created);
}

void closeKey(registryKey* key) {
    if (key != nullptr) RegCloseKey(handleOf(key));
}

bool valueSize(registryKey* key, const char* name, unsigned long& size) {
    DWORD bytes = 0;
    if (!succeeded(RegQueryValueExA(handleOf(key), name, nullptr, nullptr, nullptr, &bytes))) return false;
    size = bytes;
    return true;
}

bool readValue(registryKey* key, const char* name, char* buffer, unsigned long& size) {
    DWORD bytes = static_cast<DWORD>(size);
    if (!succeeded(RegQueryValueExA(handleOf(key), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &bytes)))
        return false;
    size = bytes;
    return true;
}

bool writeStringValue(registryKey* key, const char* name, const char* bytes, unsigned long count) {
    return succeeded(
        RegSetValueExA(handleOf(key), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes), static_cast<DWORD>(count)));
}

bool deleteValue(registryKey* key, const char* name) { return succeeded(RegDeleteValueA(handleOf(key), name)); }

bool countSubKeys(registryKey* key, unsigned long& count) {
    DWORD subKeys = 0;
    if (!succeeded(RegQueryInfoKeyA(handleOf(key), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr)))
        return false;
    count = subKeys;
    return true;
}

bool deleteSubKey(registryKey* key, const char* name) { return succeeded(RegDeleteKeyA(handleOf(key), name)); }

}  // namespace postsift::platform
