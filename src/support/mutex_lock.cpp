#include "support/mutex_lock.h"

namespace postsift {

MutexLock::MutexLock() : handle_(platform::createLocalMutex()) {}

MutexLock::~MutexLock() {
    if (handle_ != nullptr) platform::closeMutex(handle_);
}

int MutexLock::acquire(unsigned long milliseconds) {
    if (handle_ == nullptr) return 0;
    const platform::waitOutcome outcome = platform::waitMutex(handle_, milliseconds);
    return outcome == platform::waitOutcome::owned || outcome == platform::waitOutcome::abandoned;
}

int MutexLock::release() {
    if (handle_ == nullptr) return 0;
    return platform::releaseMutex(handle_) ? 1 : 0;
}

MutexLock& filterLock() {
    static MutexLock lock;
    return lock;
}

MutexLock& templateLock() {
    static MutexLock lock;
    return lock;
}

MutexLock& logLock() {
    static MutexLock lock;
    return lock;
}

}  // namespace postsift
