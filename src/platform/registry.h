#pragma once

namespace postsift::platform {

// Keys and values of the machine-wide registry, shaped after the Windows
// registry calls. On Windows this is HKEY_LOCAL_MACHINE itself. Elsewhere it
// is a stand-in made of files: a folder per key and a file per value holding
// the value's bytes, below the folder HKEY_LOCAL_MACHINE of a root folder
// that the environment variable POSTSIFT_REGISTRY_ROOT names (by default
// /var/lib/postsift/registry). Who may write a key follows from who may
// write its folder.
//
// A key path names keys below HKEY_LOCAL_MACHINE (parent null) or below
// `parent`, separated by '\'; the empty path names the parent itself.
struct registryKey;

enum class keyAccess { full, read };

// Opens an existing key; null when it is missing or the access is refused.
registryKey* openKey(registryKey* parent, const char* path, keyAccess access);
// Opens a key with full access, creating it and the keys above it if missing.
registryKey* createKey(registryKey* parent, const char* path);
void closeKey(registryKey* key);

// The size in bytes of a value's data; false when there is no such value.
bool valueSize(registryKey* key, const char* name, unsigned long& size);
// Reads the value's data into `buffer`, whose capacity is `size`; `size`
// becomes the number of bytes read. False when the value is missing or its
// data do not fit.
bool readValue(registryKey* key, const char* name, char* buffer, unsigned long& size);
// Sets a value of the string type to exactly `count` bytes.
bool writeStringValue(registryKey* key, const char* name, const char* bytes, unsigned long count);
bool deleteValue(registryKey* key, const char* name);
bool countSubKeys(registryKey* key, unsigned long& count);
// Deletes a sub-key and its values; refused when it has sub-keys of its own.
bool deleteSubKey(registryKey* key, const char* name);

// Closes the key it holds when it goes.
class heldKey {
public:
    explicit heldKey(registryKey* key = nullptr) : key_(key) {}
    ~heldKey() { reset(); }
    heldKey(const heldKey&) = delete;
    heldKey& operator=(const heldKey&) = delete;

    registryKey* get() const { return key_; }
    void reset(registryKey* key = nullptr) {
        if (key_ != nullptr) closeKey(key_);
        key_ = key;
    }

private:
    registryKey* key_;
};

}  // namespace postsift::platform
