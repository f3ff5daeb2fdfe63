// What exists for as long as the library is loaded, in the order it must be
// set up: the locks first (the trace needs logLock), then the trace, then the
// log. One translation unit, so that the order is the declaration order, and
// unloading takes it down in reverse.
#include "support/mutex_lock.h"
#include "support/log.h"
#include "support/trace.h"

namespace postsift {

MutexLock filterLock;
MutexLock templateLock;
MutexLock logLock;

namespace {

struct diagnosticsLifetime {
    diagnosticsLifetime() {
        setUpTrace();
        setUpLog();
    }
    ~diagnosticsLifetime() {
        shutDownLog();
        shutDownTrace();
    }
};

diagnosticsLifetime diagnostics;

}  // namespace
}  // namespace postsift
