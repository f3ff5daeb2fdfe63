#pragma once
#include "support/diagnostics_format.h"

namespace postsift {

// The highest level enabled for any component. Callers compare their level
// with it before building the arguments of a log line.
extern int maxLevel;

void logMessage(int level, const char* component, const char* function, const char* sourceFile,
                int line, int lockFlag, const char* format, ...) POSTSIFT_PRINTF(7, 8);

// Load-time set-up and unload-time shut-down; called by the library lifetime.
void setUpLog();
void shutDownLog();

}  // namespace postsift
