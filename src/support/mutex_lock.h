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

// The three process-wide locks, created when the library is loaded.
extern MutexLock filterLock;    // one filtering run at a time
extern MutexLock templateLock;  // one template evaluation at a time
extern MutexLock logLock;       // one trace line at a time

}  // namespace postsift
