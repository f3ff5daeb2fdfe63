#pragma once
#include "platform/mutex.h"

namespace postsift::platform {

// A mutex with a system-wide name, shared by every process that opens the
// name, with the semantics of platform/mutex.h: owned by a thread, taken
// again by its owner, abandoned when its owner ends without releasing it.
// On Windows a kernel mutex; elsewhere a process-shared robust mutex in a
// shared-memory object of that name, which stays in place for later users.
struct namedMutexHandle;

// Room for the platform's own security records.
struct securityDescriptor {
    alignas(8) unsigned char storage[64];
};
struct securityAttributes {
    alignas(8) unsigned char storage[32];
};

// The three steps that make the security of an object that every user may
// open and use; each answers false when the system refuses (last error set).
bool initialiseSecurityDescriptor(securityDescriptor& descriptor);
bool allowEveryone(securityDescriptor& descriptor);
void fillSecurityAttributes(securityAttributes& attributes, securityDescriptor& descriptor, bool inheritHandle);

// Creates the named mutex, or opens it when the name exists already; a null
// name makes an unnamed one. Ownership is requested with `initialOwner` and
// granted only when the mutex is new. Null on failure, with the last error
// code set; a name that the system cannot hold is such a failure.
namedMutexHandle* createNamedMutex(const char* name, const securityAttributes& attributes, bool initialOwner,
                                   bool& alreadyExisted);
// A null handle fails, as the Windows calls do.
waitOutcome waitNamedMutex(namedMutexHandle* mutex, unsigned long milliseconds);
bool releaseNamedMutex(namedMutexHandle* mutex);
void closeNamedMutex(namedMutexHandle* mutex);

// The number by which log lines name the handle (0 for none).
int namedMutexNumber(const namedMutexHandle* mutex);

}  // namespace postsift::platform
