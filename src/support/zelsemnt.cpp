#include "support/zelsemnt.h"

#include <cstdint>
#include <cstring>

#include "platform/process.h"
#include "support/log.h"
#include "support/owned_text.h"
#include "support/reserved_names.h"

namespace postsift {
namespace {

const char component[] = "sem";
const char sourceFile[] = "zelsemnt";
const char createFunction[] = "createMutexSemaphore(char*,ZelSemaphoreId*,ZelSemaphoreState)";
const char securityFunction[] = "createSecurityAttributes(SECURITY_DESCRIPTOR*,SECURITY_ATTRIBUTES*)";

constexpr int levelError = 1;
constexpr int levelDebug = 4;

// These lines must not wait on the mutex they report about: lock flag 0.
#define SEM_LOG(level, function, line, ...)                                              \
    do {                                                                                 \
        if (maxLevel >= (level))                                                         \
            logMessage((level), component, (function), sourceFile, (line), 0, __VA_ARGS__); \
    } while (false)

int errorNumber(unsigned long code) { return static_cast<int>(code); }

constexpr std::size_t baseNameCapacity = 260;

}  // namespace

ZelMutexSemaphore::ZelMutexSemaphore(const char* name, const char* suffix, ZelSemaphoreState state) {
    createMutexSemaphore(name, suffix, &d_sema4Id, state);
}

ZelMutexSemaphore::~ZelMutexSemaphore() {
    SEM_LOG(levelDebug, "ZelMutexSemaphore::~ZelMutexSemaphore(ZelSemaphoreId)", logLine::semaphoreClosed,
            "closing handle:d_sema4Id = %d", platform::namedMutexNumber(d_sema4Id));
    platform::closeNamedMutex(d_sema4Id);
    d_sema4Id = nullptr;
}

int ZelMutexSemaphore::wait(int milliSeconds) {
    // The time is a 32-bit count, so -1 is the "no time-out" value.
    static_assert(platform::waitForever == 0xFFFFFFFFul, "-1 waits without a time-out");
    const platform::waitOutcome outcome =
        platform::waitNamedMutex(d_sema4Id, static_cast<std::uint32_t>(milliSeconds));
    if (outcome == platform::waitOutcome::owned) return 0;
    if (outcome == platform::waitOutcome::timedOut) return 1;
    const unsigned long code = platform::lastErrorCode();
    SEM_LOG(levelError, "ZelMutexSemaphore::wait(int milliSeconds)", logLine::semaphoreWaitFailed,
            "WaitForSingleObject failed.  Error code = %d\n", errorNumber(code));
    return -1;
}

int ZelMutexSemaphore::release() {
    if (platform::releaseNamedMutex(d_sema4Id)) return 0;
    const unsigned long code = platform::lastErrorCode();
    SEM_LOG(levelError, "ZelMutexSemaphore::release()", logLine::semaphoreReleaseFailed, "ReleaseMutex failed.  Error code = %d",
            errorNumber(code));
    return -1;
}

int createMutexSemaphore(const char* name, const char* suffix, ZelSemaphoreId* psema4Id, ZelSemaphoreState state) {
    *psema4Id = nullptr;
    // The full name is as long as it needs to be; a name the system cannot
    // take fails below like any other refused name.
    ownedText fullName;
    if (name != nullptr && (!fullName.assign(name) || !fullName.append(suffix))) {
        const unsigned long code = platform::lastErrorCode();
        SEM_LOG(levelError, createFunction, logLine::semaphoreCreateFailed, "CreateMutex failed.  Error code = %d\n", errorNumber(code));
        return -1;
    }

    platform::securityDescriptor descriptor;
    platform::securityAttributes attributes;
    // A mutex that cannot be had must not end the host: the log goes on
    // without it.
    if (createSecurityAttributes(&descriptor, &attributes) != 0) return -1;

    bool alreadyExisted = false;
    *psema4Id = platform::createNamedMutex(fullName.get(), attributes, state != semaphoreOpenOnly, alreadyExisted);
    if (*psema4Id == nullptr) {
        const unsigned long code = platform::lastErrorCode();
        SEM_LOG(levelError, createFunction, logLine::semaphoreCreateFailed, "CreateMutex failed.  Error code = %d\n", errorNumber(code));
        return -1;
    }

    if (state == semaphoreOwnAndWait && alreadyExisted) {
        SEM_LOG(levelDebug, createFunction, logLine::semaphoreOwnedElsewhere, "semaphore owned by another process.  Wait for it now.");
        if (platform::waitNamedMutex(*psema4Id, platform::waitForever) != platform::waitOutcome::owned) {
            const unsigned long code = platform::lastErrorCode();
            SEM_LOG(levelError, createFunction, logLine::semaphoreFirstWaitFailed, "WaitForSingleObject failed.  Error code = %d\n",
                    errorNumber(code));
            return -1;
        }
    }
    SEM_LOG(levelDebug, createFunction, logLine::semaphoreCreated, "created Mutex sema4.  *psema4Id = %d",
            platform::namedMutexNumber(*psema4Id));
    return 0;
}

int createSecurityAttributes(platform::securityDescriptor* descriptor, platform::securityAttributes* attributes) {
    if (!platform::initialiseSecurityDescriptor(*descriptor)) {
        const unsigned long code = platform::lastErrorCode();
        SEM_LOG(levelError, securityFunction, logLine::securityDescriptorFailed, "InitializeSecurityDescriptor failed.  Error = %d",
                errorNumber(code));
        return -1;
    }
    if (!platform::allowEveryone(*descriptor)) {
        const unsigned long code = platform::lastErrorCode();
        SEM_LOG(levelError, securityFunction, logLine::securityDaclFailed, "SetSecurityDescriptorDacl failed.  Error = %d",
                errorNumber(code));
        return -1;
    }
    platform::fillSecurityAttributes(*attributes, *descriptor, true);
    return 0;
}

const char* mutexBaseName() {
    static char baseName[baseNameCapacity] = "ZAREZI";
    // Read on first use, at load, and kept; the initialisation runs once
    // even if threads race for it.
    static const bool read = [] {
        char value[baseNameCapacity];
        const std::size_t length = platform::readEnvironment("ZAREZI", value, sizeof value);
        if (length >= 1 && length < baseNameCapacity) std::memcpy(baseName, value, length + 1);
        return true;
    }();
    (void)read;
    return baseName;
}

}  // namespace postsift
