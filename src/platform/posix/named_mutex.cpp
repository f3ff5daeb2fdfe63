// A system-wide mutex: a robust, process-shared, recursive pthread mutex in a
// POSIX shared-memory object named after the mutex. Robustness gives the
// Windows answer "abandoned" when an owner ends without releasing it.
#include <fcntl.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <new>

#include "platform/named_mutex.h"
#include "platform/posix/robust_mutex.h"

namespace postsift::platform {
namespace {

// Set last, once the mutex is ready for use; also tells our objects from
// other programs' objects of the same name, and from older layouts.
constexpr std::uint32_t readyMark = 0x7A656C31u;

struct sharedBlock {
    std::atomic<std::uint32_t> ready;
    std::uint32_t size;
    pthread_mutex_t mutex;
};

struct descriptorRecord {
    mode_t mode;
};
struct attributesRecord {
    mode_t mode;
    bool inherit;
};
static_assert(sizeof(descriptorRecord) <= sizeof(securityDescriptor::storage), "descriptor room");
static_assert(sizeof(attributesRecord) <= sizeof(securityAttributes::storage), "attributes room");

// Windows takes names up to this many characters through its 8-bit calls.
constexpr std::size_t longestName = 259;

// How long an opener waits for a creator that is still setting the object up.
constexpr int setUpWaitMilliseconds = 2000;

void pause(long nanoseconds) {
    timespec delay = {0, nanoseconds};
    nanosleep(&delay, nullptr);
}

// The shared-memory name for a mutex name: "/" and the name, after a Windows
// namespace prefix, which means nothing here. Names holding a separator
// cannot be one, as on Windows.
bool sharedName(const char* name, char (&out)[longestName + 2]) {
    const std::size_t length = std::strlen(name);
    if (length > longestName) {
        errno = ENAMETOOLONG;
        return false;
    }
    if (std::strncmp(name, "Global\\", 7) == 0) name += 7;
    else if (std::strncmp(name, "Local\\", 6) == 0) name += 6;
    if (std::strpbrk(name, "/\\") != nullptr) {
        errno = EINVAL;
        return false;
    }
    out[0] = '/';
    std::strcpy(out + 1, name);
    return true;
}

sharedBlock* mapBlock(int fd) {
    void* memory = mmap(nullptr, sizeof(sharedBlock), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return memory == MAP_FAILED ? nullptr : static_cast<sharedBlock*>(memory);
}

}  // namespace

struct namedMutexHandle {
    int fd;  // -1 for an unnamed mutex
    sharedBlock* block;
    // Acquisitions not yet released by threads of this process.
    std::atomic<long> holds;
};

namespace {

namedMutexHandle* handleFor(int fd, sharedBlock* block) {
    namedMutexHandle* handle = new (std::nothrow) namedMutexHandle;
    if (handle == nullptr) {
        munmap(block, sizeof(sharedBlock));
        if (fd >= 0) ::close(fd);
        errno = ENOMEM;
        return nullptr;
    }
    handle->fd = fd;
    handle->block = block;
    handle->holds = 0;
    return handle;
}

// Makes a new block ready; the creator may take ownership before anyone
// else can see the mutex.
bool prepareBlock(sharedBlock* block, bool shared, bool takeOwnership) {
    block->size = sizeof(sharedBlock);
    if (!initialiseRobustMutex(block->mutex, shared)) return false;
    if (takeOwnership && pthread_mutex_lock(&block->mutex) != 0) return false;
    block->ready.store(readyMark, std::memory_order_release);
    return true;
}

namedMutexHandle* createUnnamed(bool initialOwner) {
    void* memory =
        mmap(nullptr, sizeof(sharedBlock), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return nullptr;
    sharedBlock* block = new (memory) sharedBlock;
    if (!prepareBlock(block, true, initialOwner)) {
        const int code = errno;
        munmap(memory, sizeof(sharedBlock));
        errno = code;
        return nullptr;
    }
    namedMutexHandle* handle = handleFor(-1, block);
    if (handle != nullptr && initialOwner) handle->holds = 1;
    return handle;
}

// Waits until the creator of an existing object has set it up.
sharedBlock* openExisting(int fd) {
    for (int waited = 0;; waited += 10) {
        struct stat status;
        if (fstat(fd, &status) != 0) return nullptr;
        if (static_cast<std::size_t>(status.st_size) >= sizeof(sharedBlock)) break;
        if (waited >= setUpWaitMilliseconds) {
            errno = EAGAIN;
            return nullptr;
        }
        pause(10000000L);
    }
    sharedBlock* block = mapBlock(fd);
    if (block == nullptr) return nullptr;
    for (int waited = 0;; waited += 10) {
        if (block->ready.load(std::memory_order_acquire) == readyMark) break;
        if (waited >= setUpWaitMilliseconds) {
            munmap(block, sizeof(sharedBlock));
            errno = EAGAIN;
            return nullptr;
        }
        pause(10000000L);
    }
    if (block->size != sizeof(sharedBlock)) {
        munmap(block, sizeof(sharedBlock));
        errno = EINVAL;
        return nullptr;
    }
    return block;
}

}  // namespace

bool initialiseSecurityDescriptor(securityDescriptor& descriptor) {
    // As a default descriptor would: the creating user alone.
    new (descriptor.storage) descriptorRecord{0600};
    return true;
}

bool allowEveryone(securityDescriptor& descriptor) {
    reinterpret_cast<descriptorRecord*>(descriptor.storage)->mode = 0666;
    return true;
}

void fillSecurityAttributes(securityAttributes& attributes, securityDescriptor& descriptor, bool inheritHandle) {
    new (attributes.storage)
        attributesRecord{reinterpret_cast<descriptorRecord*>(descriptor.storage)->mode, inheritHandle};
}

namedMutexHandle* createNamedMutex(const char* name, const securityAttributes& attributes, bool initialOwner,
                                   bool& alreadyExisted) {
    alreadyExisted = false;
    if (name == nullptr || *name == '\0') return createUnnamed(initialOwner);
    char path[longestName + 2];
    if (!sharedName(name, path)) return nullptr;
    const attributesRecord& record = *reinterpret_cast<const attributesRecord*>(attributes.storage);
    const int closeOnExec = record.inherit ? 0 : O_CLOEXEC;

    for (int attempt = 0; attempt < 2; ++attempt) {
        int fd = shm_open(path, O_RDWR | O_CREAT | O_EXCL | closeOnExec, record.mode);
        if (fd >= 0) {
            // The creation mode passed through the umask: set it as asked.
            fchmod(fd, record.mode);
            sharedBlock* block = ftruncate(fd, sizeof(sharedBlock)) == 0 ? mapBlock(fd) : nullptr;
            if (block == nullptr || !prepareBlock(new (block) sharedBlock, true, initialOwner)) {
                const int code = errno;
                if (block != nullptr) munmap(block, sizeof(sharedBlock));
                shm_unlink(path);
                ::close(fd);
                errno = code;
                return nullptr;
            }
            namedMutexHandle* handle = handleFor(fd, block);
            if (handle != nullptr && initialOwner) handle->holds = 1;
            return handle;
        }
        if (errno != EEXIST) return nullptr;
        fd = shm_open(path, O_RDWR | closeOnExec, 0);
        if (fd < 0) {
            if (errno == ENOENT) continue;  // removed in between: create it after all
            return nullptr;
        }
        sharedBlock* block = openExisting(fd);
        if (block == nullptr) {
            const int code = errno;
            ::close(fd);
            // A creator that died half way leaves an object nobody can use:
            // remove it once and start afresh.
            if (code == EAGAIN && attempt == 0) {
                shm_unlink(path);
                continue;
            }
            errno = code;
            return nullptr;
        }
        alreadyExisted = true;
        return handleFor(fd, block);
    }
    return nullptr;
}

waitOutcome waitNamedMutex(namedMutexHandle* mutex, unsigned long milliseconds) {
    if (mutex == nullptr) {
        errno = EBADF;
        return waitOutcome::failed;
    }
    const waitOutcome outcome = waitRobustMutex(mutex->block->mutex, milliseconds);
    if (outcome == waitOutcome::owned || outcome == waitOutcome::abandoned) ++mutex->holds;
    return outcome;
}

bool releaseNamedMutex(namedMutexHandle* mutex) {
    if (mutex == nullptr) {
        errno = EBADF;
        return false;
    }
    if (!releaseRobustMutex(mutex->block->mutex)) return false;
    --mutex->holds;
    return true;
}

void closeNamedMutex(namedMutexHandle* mutex) {
    if (mutex == nullptr) return;
    // A mutex still held here stays mapped: the system finds it through the
    // owner's robust list when that thread ends and marks it abandoned, as
    // Windows does with a mutex whose owner closed its handle.
    if (mutex->holds.load() == 0) munmap(mutex->block, sizeof(sharedBlock));
    if (mutex->fd >= 0) ::close(mutex->fd);
    delete mutex;
}

int namedMutexNumber(const namedMutexHandle* mutex) { return mutex != nullptr ? mutex->fd : 0; }

}  // namespace postsift::platform
