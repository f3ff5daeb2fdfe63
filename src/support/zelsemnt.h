#pragma once
#include "platform/named_mutex.h"

namespace postsift {

// A mutex with a system-wide name, open to every process and user, that lets
// the processes loading the library take turns at a shared resource (the log
// file). Its own diagnostics are log lines of the component "sem", written
// without waiting on any mutex.
using ZelSemaphoreId = platform::namedMutexHandle*;

// How a ZelMutexSemaphore is created:
//   0  ask for ownership; when the mutex existed already, wait until owned;
//   1  create or open it without taking ownership (what the log does);
//   any other value: ask for ownership, without the wait.
using ZelSemaphoreState = int;
constexpr ZelSemaphoreState semaphoreOwnAndWait = 0;
constexpr ZelSemaphoreState semaphoreOpenOnly = 1;

class ZelMutexSemaphore {
public:
    // `name` may be null (an unnamed mutex); `suffix` may be null.
    ZelMutexSemaphore(const char* name, const char* suffix, ZelSemaphoreState state);
    ~ZelMutexSemaphore();
    ZelMutexSemaphore(const ZelMutexSemaphore&) = delete;
    ZelMutexSemaphore& operator=(const ZelMutexSemaphore&) = delete;

    // 0 when owned, 1 when the time ran out, -1 otherwise (an abandoned mutex
    // included, although it is then owned). -1 waits without a time-out.
    int wait(int milliSeconds);
    // 0, or -1 when the system refuses (the caller does not own it).
    int release();

    ZelSemaphoreId d_sema4Id = nullptr;  // null when creation failed
};

// 0 when created; -1 when the mutex could not be created (*psema4Id is then
// null) or the wait of state 0 did not end in ownership.
int createMutexSemaphore(const char* name, const char* suffix, ZelSemaphoreId* psema4Id, ZelSemaphoreState state);

// Security that lets every user open and use the mutex. 0 or -1.
int createSecurityAttributes(platform::securityDescriptor* descriptor, platform::securityAttributes* attributes);

// The base of the library's mutex names: the environment variable "ZAREZI"
// when it holds 1 to 259 characters, otherwise "ZAREZI". Read once, then kept
// for the life of the process.
const char* mutexBaseName();

}  // namespace postsift
