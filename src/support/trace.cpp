#include "support/trace.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "platform/process.h"
#include "support/trace_facility.h"

namespace postsift {
namespace {

traceFacility* installedTrace = nullptr;

const char startLine[] = "CLCK THRD ---------------- START ------------------\n";
const char defaultPath[] = "zel.dbg";

// The process's trace, built at load and never destroyed: objects destroyed
// after the unload code may still call traceMessage, which then finds it off.
traceFacility& processTrace() {
    alignas(traceFacility) static unsigned char storage[sizeof(traceFacility)];
    static traceFacility* const trace = new (storage) traceFacility(logLock());
    return *trace;
}

}  // namespace

traceFacility* installTrace(traceFacility* trace) {
    traceFacility* previous = installedTrace;
    installedTrace = trace;
    return previous;
}

void traceFacility::setUp() {
    settings_.openSettingsKey();
    lockHolder hold(lock_);
    enabled_ = false;
    const settingText path = settings_.readSettingString("LanguageIndependent", "Path_Trace");
    const settingText level = settings_.readSettingString("LanguageIndependent", "TraceLevel");

    std::FILE* file = nullptr;
    // "1" to "9", "10" and "00" switch the named file on; "0", the empty
    // text and whatever sorts before "0" do not.
    if (path != nullptr && level != nullptr && std::strcmp(level.get(), "0") > 0) {
        // A named file that cannot be opened leaves the trace off; there is
        // no falling back to "zel.dbg".
        if (path_.assign(path.get())) file = std::fopen(path_.get(), "a");
    } else if (path_.assign(defaultPath)) {
        file = std::fopen(path_.get(), "r+");
    }
    if (file == nullptr) return;
    enabled_ = true;
    std::fseek(file, 0, SEEK_END);
    std::fputs(startLine, file);
    std::fclose(file);
}

void traceFacility::shutDown() {
    message("----------------  END  ------------------");
    // Nothing follows the END line, and the lock may go soon after.
    enabled_ = false;
    path_.release();
    settings_.closeSettingsKey();
}

void traceFacility::write(const char* format, std::va_list arguments) {
    if (!enabled_) return;
    lockHolder hold(lock_);
    // Opened for each line and never created here: a file removed while the
    // library runs loses the lines until it exists again.
    std::FILE* file = std::fopen(path_.get(), "r+");
    if (file == nullptr) return;
    std::fseek(file, 0, SEEK_END);
    std::fprintf(file, "%u %lu ", platform::processClockMilliseconds(), platform::currentThreadId());
    if (format != nullptr) std::vfprintf(file, format, arguments);
    else std::fputs("NULL FORMAT STRING", file);
    std::fputc('\n', file);
    std::fclose(file);
}

void traceFacility::message(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    write(format, arguments);
    va_end(arguments);
}

bool traceIsOn() { return installedTrace != nullptr && installedTrace->isEnabled(); }

void traceMessage(const char* format, ...) {
    traceFacility* trace = installedTrace;
    if (trace == nullptr) return;
    std::va_list arguments;
    va_start(arguments, format);
    trace->write(format, arguments);
    va_end(arguments);
}

void setUpTrace() {
    traceFacility& trace = processTrace();
    installTrace(&trace);
    trace.setUp();
}

void shutDownTrace() { processTrace().shutDown(); }

}  // namespace postsift
