#pragma once
#include <pthread.h>

#include "platform/mutex.h"

// The pthread side of both kinds of mutex, local and named: a recursive,
// robust pthread mutex gives the Windows semantics (taken again by its
// owner, abandoned when its owner ends). Failures set errno, which is what
// lastErrorCode reads on this side.
namespace postsift::platform {

bool initialiseRobustMutex(pthread_mutex_t& mutex, bool processShared);

// Waits forever (waitForever), not at all (0) or up to `milliseconds`. An
// abandoned mutex is made consistent and owned by the caller; errno is then
// EOWNERDEAD.
waitOutcome waitRobustMutex(pthread_mutex_t& mutex, unsigned long milliseconds);

bool releaseRobustMutex(pthread_mutex_t& mutex);

}  // namespace postsift::platform
