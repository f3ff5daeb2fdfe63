#include <windows.h>

#include "platform/mutex.h"

namespace postsift::platform {

// The handle itself stands for the opaque type.
static HANDLE handleOf(mutexHandle* mutex) { return reinterpret_cast<HANDLE>(mutex); }

mutexHandle* createLocalMutex() {
    return reinterpret_cast<mutexHandle*>(CreateMutexA(nullptr, FALSE, nullptr));
}

waitOutcome waitMutex(mutexHandle* mutex, unsigned long milliseconds) {
    switch (WaitForSingleObject(handleOf(mutex), milliseconds)) {
    case WAIT_OBJECT_0: return waitOutcome::owned;
    case WAIT_ABANDONED: return waitOutcome::abandoned;
    case WAIT_TIMEOUT: return waitOutcome::timedOut;
    default: return waitOutcome::failed;
    }
}

bool releaseMutex(mutexHandle* mutex) { return ReleaseMutex(handleOf(mutex)) != FALSE; }

void closeMutex(mutexHandle* mutex) { CloseHandle(handleOf(mutex)); }

}  // namespace postsift::platform
