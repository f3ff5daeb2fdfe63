#include <cerrno>
#include <new>

#include "platform/mutex.h"
#include "platform/posix/robust_mutex.h"

namespace postsift::platform {

struct mutexHandle {
    pthread_mutex_t mutex;
};

mutexHandle* createLocalMutex() {
    mutexHandle* handle = new (std::nothrow) mutexHandle;
    if (handle == nullptr) {
        errno = ENOMEM;
        return nullptr;
    }
    if (!initialiseRobustMutex(handle->mutex, false)) {
        const int code = errno;
        delete handle;
        errno = code;
        return nullptr;
    }
    return handle;
}

waitOutcome waitMutex(mutexHandle* mutex, unsigned long milliseconds) {
    return waitRobustMutex(mutex->mutex, milliseconds);
}

bool releaseMutex(mutexHandle* mutex) { return releaseRobustMutex(mutex->mutex); }

void closeMutex(mutexHandle* mutex) {
    pthread_mutex_destroy(&mutex->mutex);
    delete mutex;
}

}  // namespace postsift::platform
