#pragma once
#include "support/diagnostics_format.h"

namespace postsift {

// Appends one stamped line to the trace file when tracing is on.
void traceMessage(const char* format, ...) POSTSIFT_PRINTF(1, 2);

// Whether lines are written at all: code that traces at every token asks
// first, so that a trace that is off costs a test, not a call with arguments.
bool traceIsOn();

// "%s" must never meet a null pointer: the runtimes disagree on what it does.
inline const char* printable(const char* text) { return text != nullptr ? text : "(null)"; }

// Load-time set-up and unload-time shut-down; called by the library lifetime.
void setUpTrace();
void shutDownTrace();

}  // namespace postsift
