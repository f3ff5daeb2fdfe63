#include "platform/posix/robust_mutex.h"

#include <cerrno>
#include <ctime>

namespace postsift::platform {
namespace {

timespec deadlineAfter(unsigned long milliseconds) {
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

}  // namespace

bool initialiseRobustMutex(pthread_mutex_t& mutex, bool processShared) {
    pthread_mutexattr_t attributes;
    int failed = pthread_mutexattr_init(&attributes);
    if (failed == 0) {
        pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
        pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST);
        if (processShared) pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED);
        failed = pthread_mutex_init(&mutex, &attributes);
        pthread_mutexattr_destroy(&attributes);
    }
    if (failed != 0) errno = failed;
    return failed == 0;
}

waitOutcome waitRobustMutex(pthread_mutex_t& mutex, unsigned long milliseconds) {
    int result;
    if (milliseconds == waitForever) {
        result = pthread_mutex_lock(&mutex);
    } else if (milliseconds == 0) {
        result = pthread_mutex_trylock(&mutex);
    } else {
        const timespec deadline = deadlineAfter(milliseconds);
        result = pthread_mutex_timedlock(&mutex, &deadline);
    }
    switch (result) {
    case 0: return waitOutcome::owned;
    case EOWNERDEAD:
        pthread_mutex_consistent(&mutex);
        errno = EOWNERDEAD;
        return waitOutcome::abandoned;
    case EBUSY:
    case ETIMEDOUT: return waitOutcome::timedOut;
    default: errno = result; return waitOutcome::failed;
    }
}

bool releaseRobustMutex(pthread_mutex_t& mutex) {
    const int result = pthread_mutex_unlock(&mutex);
    if (result != 0) errno = result;
    return result == 0;
}

}  // namespace postsift::platform
