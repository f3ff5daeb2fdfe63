#include "support/trace.h"

// Placeholder until the trace file arrives: tracing is off.
namespace postsift {

void traceMessage(const char*, ...) {}
void setUpTrace() {}
void shutDownTrace() {}

}  // namespace postsift
