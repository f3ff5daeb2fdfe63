#pragma once

namespace postsift::platform {

// A mutex with Windows semantics: the owning thread may acquire it again
// (each acquisition needs its own release), and a mutex whose owner died
// counts as acquired by the next waiter, who learns of the abandonment.
struct mutexHandle;

enum class waitOutcome { owned, abandoned, timedOut, failed };

constexpr unsigned long waitForever = 0xFFFFFFFFul;

// An unnamed mutex private to the process, not initially owned; null on failure.
mutexHandle* createLocalMutex();
waitOutcome waitMutex(mutexHandle* mutex, unsigned long milliseconds);
bool releaseMutex(mutexHandle* mutex);
void closeMutex(mutexHandle* mutex);

}  // namespace postsift::platform
