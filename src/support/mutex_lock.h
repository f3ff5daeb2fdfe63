#pragma once
#include "platform/mutex.h"

namespace postsift {

// A process-local mutex. A lock whose creation failed has no handle; every
// acquire then answers 0 and the caller goes on unlocked.
class MutexLock {
public:
    MutexLock();
    ~MutexLock();
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

    // 1 when the wait ended with the mutex owned (an abandoned one included).
    int acquire(unsigned long milliseconds = platform::waitForever);
    // 1 when the mutex was released.
    int release();

private:
    platform::mutexHandle* handle_;
};

// Holds a MutexLock for one scope, however the scope is left. A failed
// acquisition leaves nothing to release.
class lockHolder {
public:
    explicit lockHolder(MutexLock& lock) : lock_(lock), held_(lock.acquire() != 0) {}
    ~lockHolder() {
        if (held_) lock_.release();
    }
    lockHolder(const lockHolder&) = delete;
    lockHolder& operator=(const lockHolder&) = delete;

private:
    MutexLock& lock_;
    bool held_;
};

// The three process-wide locks. Each is made at its first use, which the
// library's lifetime makes happen at load, before the trace and the log are
// set up; so each outlives everything that uses it and goes at unload.
MutexLock& filterLock();    // one filtering run at a time
MutexLock& templateLock();  // one template evaluation at a time
MutexLock& logLock();       // one trace line at a time

}  // namespace postsift
