#pragma once
#include <cstdarg>

#include "support/mutex_lock.h"
#include "support/diagnostics_format.h"
#include "support/owned_text.h"
#include "support/settings_key.h"

namespace postsift {

// The trace: stamped lines appended to one file, which is opened and closed
// for every line so that the file may be removed or inspected at any time.
// Off unless the registry names a file and a level, or a "zel.dbg" exists in
// the current folder when the trace is set up. The process has one, set up
// at load; traceMessage writes to whichever trace is installed.
class traceFacility {
public:
    explicit traceFacility(MutexLock& lock) : lock_(lock) {}
    ~traceFacility() { settings_.closeSettingsKey(); }
    traceFacility(const traceFacility&) = delete;
    traceFacility& operator=(const traceFacility&) = delete;

    void setUp();
    // Writes the END line and stops tracing.
    void shutDown();

    void write(const char* format, std::va_list arguments);
    void message(const char* format, ...) POSTSIFT_PRINTF(2, 3);

    bool isEnabled() const { return enabled_; }
    const char* path() const { return path_.get(); }

private:
    MutexLock& lock_;
    settingsKey settings_;
    ownedText path_;
    bool enabled_ = false;
};

// Makes `trace` the one that traceMessage writes to (null: none); returns
// the one installed before.
traceFacility* installTrace(traceFacility* trace);

}  // namespace postsift
