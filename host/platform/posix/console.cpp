#include <unistd.h>

#include "platform/console.h"

namespace postsift::platform {

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

bool standardOutputIsTerminal() { return isatty(STDOUT_FILENO) == 1; }

void useBinaryStandardStreams() {}

}  // namespace postsift::platform
