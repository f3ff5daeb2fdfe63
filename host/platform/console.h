#pragma once

namespace postsift::platform {

// True when standard error is shown on a terminal (a console on Windows),
// where a progress line that rewrites itself makes sense.
bool standardErrorIsTerminal();
bool standardOutputIsTerminal();

// Standard input, output and error carry bytes exactly as they are: no
// line-end translation (which Windows runtimes do by default).
void useBinaryStandardStreams();

}  // namespace postsift::platform
