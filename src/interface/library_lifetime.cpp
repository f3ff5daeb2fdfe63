// What exists for as long as the library is loaded, in the order it must be
// set up: the locks first (the trace needs logLock), then the trace, then the
// log. The locks are made by their first use here, so they are destroyed
// after the trace and the log at unload, which takes everything down in
// reverse.
#include "support/log.h"
#include "support/mutex_lock.h"
#include "support/trace.h"

namespace postsift {
namespace {

struct libraryLifetime {
    libraryLifetime() {
        filterLock();
        templateLock();
        logLock();
        setUpTrace();
        setUpLog();
    }
    ~libraryLifetime() {
        shutDownLog();
        shutDownTrace();
    }
    libraryLifetime(const libraryLifetime&) = delete;
    libraryLifetime& operator=(const libraryLifetime&) = delete;
};

libraryLifetime lifetime;

}  // namespace
}  // namespace postsift
