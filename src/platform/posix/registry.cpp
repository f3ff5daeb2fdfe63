// The registry stand-in: a folder per key, a file per value. Every key is
// held as an open folder, so the operations below work relative to it the
// way the registry calls work relative to a key handle.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/registry.h"

namespace postsift::platform {

struct registryKey {
    int folder;
    bool writable;
};

namespace {

const char defaultRoot[] = "/var/lib/postsift/registry";
const char machineFolder[] = "HKEY_LOCAL_MACHINE";

const char* registryRoot() {
    const char* root = std::getenv("POSTSIFT_REGISTRY_ROOT");
    return root != nullptr && *root != '\0' ? root : defaultRoot;
}

// A name that stays inside its folder.
bool isPlainName(const char* name, std::size_t length) {
    if (length == 0 || length > 255) return false;
    if (std::memchr(name, '/', length) != nullptr || std::memchr(name, '\0', length) != nullptr) return false;
    return !(length == 1 && name[0] == '.') && !(length == 2 && name[0] == '.' && name[1] == '.');
}

bool isPlainName(const char* name) { return name != nullptr && isPlainName(name, std::strlen(name)); }

class descriptor {
public:
    explicit descriptor(int fd = -1) : fd_(fd) {}
    ~descriptor() { reset(); }
    descriptor(const descriptor&) = delete;
    descriptor& operator=(const descriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

int openFolder(int at, const char* name) { return openat(at, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC); }

// Opens (and, when asked, first creates) one folder below `at`.
int stepInto(int at, const char* name, bool create) {
    if (create && mkdirat(at, name, 0755) != 0 && errno != EEXIST) return -1;
    return openFolder(at, name);
}

// Creates the root folder and the folders above it that are missing.
bool makeRoot(const char* root) {
    const std::size_t length = std::strlen(root);
    char* path = static_cast<char*>(std::malloc(length + 1));
    if (path == nullptr) return false;
    std::memcpy(path, root, length + 1);
    bool made = true;
    for (std::size_t i = 1; i <= length && made; ++i) {
        if (path[i] != '/' && path[i] != '\0') continue;
        const char kept = path[i];
        path[i] = '\0';
        made = mkdir(path, 0755) == 0 || errno == EEXIST;
        path[i] = kept;
    }
    std::free(path);
    return made;
}

// The folder of HKEY_LOCAL_MACHINE, or of `parent`, as a new descriptor.
int startFolder(registryKey* parent, bool create) {
    if (parent != nullptr) return openFolder(parent->folder, ".");
    const char* root = registryRoot();
    if (create && !makeRoot(root)) return -1;
    descriptor rootFolder(open(root, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (rootFolder.get() < 0) return -1;
    return stepInto(rootFolder.get(), machineFolder, create);
}

bool mayAccess(int folder, keyAccess access) {
    const int mode = access == keyAccess::full ? R_OK | W_OK | X_OK : R_OK | X_OK;
    return faccessat(folder, ".", mode, AT_EACCESS) == 0;
}

registryKey* walk(registryKey* parent, const char* path, keyAccess access, bool create) {
    if (path == nullptr) {
        errno = EINVAL;
        return nullptr;
    }
    descriptor current(startFolder(parent, create));
    if (current.get() < 0) return nullptr;
    const char* part = path;
    while (*part != '\0') {
        const char* end = std::strchr(part, '\\');
        const std::size_t length = end != nullptr ? static_cast<std::size_t>(end - part) : std::strlen(part);
        char name[256];
        if (!isPlainName(part, length)) {
            errno = EINVAL;
            return nullptr;
        }
        std::memcpy(name, part, length);
        name[length] = '\0';
        current.reset(stepInto(current.get(), name, create));
        if (current.get() < 0) return nullptr;
        part += length;
        if (*part == '\\') ++part;
    }
    if (!mayAccess(current.get(), access)) {
        errno = EACCES;
        return nullptr;
    }
    registryKey* key = new (std::nothrow) registryKey{current.get(), access == keyAccess::full};
    if (key == nullptr) {
        errno = ENOMEM;
        return nullptr;
    }
    current.release();
    return key;
}

bool mayWrite(registryKey* key) {
    if (key != nullptr && key->writable) return true;
    errno = EACCES;
    return false;
}

bool writeAll(int fd, const char* bytes, unsigned long count) {
    while (count > 0) {
        const ssize_t written = write(fd, bytes, count);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += written;
        count -= static_cast<unsigned long>(written);
    }
    return true;
}

// Calls `visit` for each entry of the folder but "." and ".."; stops when it
// answers false.
template <typename visitor>
bool forEachEntry(int folder, visitor visit) {
    const int own = openFolder(folder, ".");
    if (own < 0) return false;
    DIR* listing = fdopendir(own);
    if (listing == nullptr) {
        ::close(own);
        return false;
    }
    bool complete = true;
    while (dirent* entry = readdir(listing)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        if (!visit(entry->d_name)) {
            complete = false;
            break;
        }
    }
    closedir(listing);
    return complete;
}

bool isFolder(int at, const char* name) {
    struct stat status;
    return fstatat(at, name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

registryKey* openKey(registryKey* parent, const char* path, keyAccess access) {
    return walk(parent, path, access, false);
}

registryKey* createKey(registryKey* parent, const char* path) { return walk(parent, path, keyAccess::full, true); }

void closeKey(registryKey* key) {
    if (key == nullptr) return;
    ::close(key->folder);
    delete key;
}

bool valueSize(registryKey* key, const char* name, unsigned long& size) {
    if (key == nullptr || !isPlainName(name)) return false;
    struct stat status;
    if (fstatat(key->folder, name, &status, 0) != 0 || !S_ISREG(status.st_mode)) return false;
    size = static_cast<unsigned long>(status.st_size);
    return true;
}

bool readValue(registryKey* key, const char* name, char* buffer, unsigned long& size) {
    if (key == nullptr || !isPlainName(name)) return false;
    descriptor file(openat(key->folder, name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (file.get() < 0) return false;
    unsigned long count = 0;
    for (;;) {
        char spare;
        // Past the capacity, one byte more tells whether the data fit.
        char* into = count < size ? buffer + count : &spare;
        const ssize_t got = read(file.get(), into, count < size ? size - count : 1);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) break;
        if (count >= size) {
            errno = EMSGSIZE;
            return false;
        }
        count += static_cast<unsigned long>(got);
    }
    size = count;
    return true;
}

bool writeStringValue(registryKey* key, const char* name, const char* bytes, unsigned long count) {
    if (!mayWrite(key) || !isPlainName(name)) return false;
    // Written beside the value and renamed over it, so that a reader sees
    // the old data or the new, never a part.
    const std::size_t length = std::strlen(name);
    char temporary[sizeof ".new" + 256 + 1];
    temporary[0] = '.';
    std::memcpy(temporary + 1, name, length);
    std::memcpy(temporary + 1 + length, ".new", sizeof ".new");
    descriptor file(openat(key->folder, temporary, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644));
    if (file.get() < 0) return false;
    const bool written = writeAll(file.get(), bytes, count) && ::close(file.release()) == 0;
    if (!written || renameat(key->folder, temporary, key->folder, name) != 0) {
        unlinkat(key->folder, temporary, 0);
        return false;
    }
    return true;
}

bool deleteValue(registryKey* key, const char* name) {
    if (!mayWrite(key) || !isPlainName(name)) return false;
    if (isFolder(key->folder, name)) {
        errno = ENOENT;
        return false;
    }
    return unlinkat(key->folder, name, 0) == 0;
}

bool countSubKeys(registryKey* key, unsigned long& count) {
    if (key == nullptr) return false;
    unsigned long found = 0;
    if (!forEachEntry(key->folder, [&](const char* name) {
            if (isFolder(key->folder, name)) ++found;
            return true;
        }))
        return false;
    count = found;
    return true;
}

bool deleteSubKey(registryKey* key, const char* name) {
    if (!mayWrite(key) || !isPlainName(name)) return false;
    descriptor child(openat(key->folder, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW));
    if (child.get() < 0) return false;
    // As in the registry, a key with sub-keys stays whole: look before
    // deleting any value.
    const bool hasNoSubKeys = forEachEntry(child.get(), [&](const char* entry) { return !isFolder(child.get(), entry); });
    if (!hasNoSubKeys) {
        errno = EACCES;
        return false;
    }
    if (!forEachEntry(child.get(), [&](const char* entry) { return unlinkat(child.get(), entry, 0) == 0; }))
        return false;
    return unlinkat(key->folder, name, AT_REMOVEDIR) == 0;
}

}  // namespace postsift::platform
