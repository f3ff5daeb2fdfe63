#include <pthread.h>

#include <cerrno>
#include <ctime>
#include <new>

#include "platform/mutex.h"

namespace postsift::platform {

struct mutexHandle {
    pthread_mutex_t mutex;
};

mutexHandle* createLocalMutex() {
    mutexHandle* handle = new (std::nothrow) mutexHandle;
    if (handle == nullptr) return nullptr;
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST);
    const int failed = pthread_mutex_init(&handle->mutex, &attributes);
    pthread_mutexattr_destroy(&attributes);
    if (failed != 0) {
        delete handle;
        return nullptr;
    }
    return handle;
}

static timespec deadlineAfter(unsigned long milliseconds) {
    timespec deadline;
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += static_cast<time_t>(milliseconds / 1000);
    deadline.tv_nsec += static_cast<long>(milliseconds % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1000000000L;
    }
    return deadline;
}

waitOutcome waitMutex(mutexHandle* mutex, unsigned long milliseconds) {
    int result;
    if (milliseconds == waitForever) {
        result = pthread_mutex_lock(&mutex->mutex);
    } else if (milliseconds == 0) {
        result = pthread_mutex_trylock(&mutex->mutex);
    } else {
        const timespec deadline = deadlineAfter(milliseconds);
        result = pthread_mutex_timedlock(&mutex->mutex, &deadline);
    }
    switch (result) {
    case 0: return waitOutcome::owned;
    case EOWNERDEAD:
        pthread_mutex_consistent(&mutex->mutex);
        return waitOutcome::abandoned;
    case EBUSY:
    case ETIMEDOUT: return waitOutcome::timedOut;
    default: return waitOutcome::failed;
    }
}

bool releaseMutex(mutexHandle* mutex) { return pthread_mutex_unlock(&mutex->mutex) == 0; }

void closeMutex(mutexHandle* mutex) {
    pthread_mutex_destroy(&mutex->mutex);
    delete mutex;
}

}  // namespace postsift::platform
