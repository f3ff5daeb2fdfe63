#include "support/log.h"

// Placeholder until the log file arrives: only errors would be written.
namespace postsift {

int maxLevel = 1;

void logMessage(int, const char*, const char*, const char*, int, int, const char*, ...) {}
void setUpLog() {}
void shutDownLog() {}

}  // namespace postsift
