#pragma once
#include <cstddef>

namespace postsift::platform {

// Facts about the running process that the diagnostics write down.

// The calling thread's id as the system numbers threads.
unsigned long currentThreadId();
int currentProcessId();

// The code of the last system call that failed on this thread.
unsigned long lastErrorCode();

// Processor time of the process in milliseconds, as the runtime clock counts
// it from the start of the process.
unsigned processClockMilliseconds();

struct localTime {
    int year;   // e.g. 2026
    int month;  // 1 to 12
    int day;
    int hour;
    int minute;
    int second;
    int millisecond;
};
localTime currentLocalTime();

// Reads an environment variable the way the Windows call does: when the value
// fits (its length is below `capacity`), copies it with its terminator and
// returns its length; when it does not, writes nothing and returns the
// capacity it would need; returns 0 when the variable is unset or empty.
std::size_t readEnvironment(const char* name, char* buffer, std::size_t capacity);

// The character that separates a folder from a file name in a path.
char pathSeparator();

}  // namespace postsift::platform
