#include <windows.h>

#include <cstdint>

#include "platform/named_mutex.h"

namespace postsift::platform {
namespace {

static_assert(sizeof(SECURITY_DESCRIPTOR) <= sizeof(securityDescriptor::storage), "descriptor room");
static_assert(sizeof(SECURITY_ATTRIBUTES) <= sizeof(securityAttributes::storage), "attributes room");

SECURITY_DESCRIPTOR* recordOf(securityDescriptor& descriptor) {
    return reinterpret_cast<SECURITY_DESCRIPTOR*>(descriptor.storage);
}

HANDLE handleOf(const namedMutexHandle* mutex) { return reinterpret_cast<HANDLE>(const_cast<namedMutexHandle*>(mutex)); }

}  // namespace

bool initialiseSecurityDescriptor(securityDescriptor& descriptor) {
    return InitializeSecurityDescriptor(recordOf(descriptor), SECURITY_DESCRIPTOR_REVISION) != FALSE;
}

bool allowEveryone(securityDescriptor& descriptor) {
    // A present but null access list: every user has every right.
    return SetSecurityDescriptorDacl(recordOf(descriptor), TRUE, nullptr, FALSE) != FALSE;
}

void fillSecurityAttributes(securityAttributes& attributes, securityDescriptor& descriptor, bool inheritHandle) {
    SECURITY_ATTRIBUTES* record = reinterpret_cast<SECURITY_ATTRIBUTES*>(attributes.storage);
    record->nLength = sizeof(SECURITY_ATTRIBUTES);
    record->lpSecurityDescriptor = recordOf(descriptor);
    record->bInheritHandle = inheritHandle ? TRUE : FALSE;
}

namedMutexHandle* createNamedMutex(const char* name, const securityAttributes& attributes, bool initialOwner,
                                   bool& alreadyExisted) {
    SECURITY_ATTRIBUTES* record =
        reinterpret_cast<SECURITY_ATTRIBUTES*>(const_cast<unsigned char*>(attributes.storage));
    HANDLE mutex = CreateMutexA(record, initialOwner ? TRUE : FALSE, name);
    alreadyExisted = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    return reinterpret_cast<namedMutexHandle*>(mutex);
}

waitOutcome waitNamedMutex(namedMutexHandle* mutex, unsigned long milliseconds) {
    switch (WaitForSingleObject(handleOf(mutex), static_cast<DWORD>(milliseconds))) {
    case WAIT_OBJECT_0: return waitOutcome::owned;
    case WAIT_ABANDONED: return waitOutcome::abandoned;
    case WAIT_TIMEOUT: return waitOutcome::timedOut;
    default: return waitOutcome::failed;
    }
}

bool releaseNamedMutex(namedMutexHandle* mutex) { return ReleaseMutex(handleOf(mutex)) != FALSE; }

void closeNamedMutex(namedMutexHandle* mutex) {
    if (mutex != nullptr) CloseHandle(handleOf(mutex));
}

int namedMutexNumber(const namedMutexHandle* mutex) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(handleOf(mutex)));
}

}  // namespace postsift::platform
