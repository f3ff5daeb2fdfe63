#include "support/log.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "platform/process.h"
#include "support/log_facility.h"
#include "support/trace.h"

namespace postsift {

int maxLevel = 1;

namespace {

logFacility* installedLog = nullptr;

const char* const levelLetters[] = {"E", "W", "T", "D"};

constexpr std::size_t prefixCapacity = 1024;

// The process's log, built at load and never destroyed: objects destroyed
// after the unload code may still call logMessage, which then finds it shut.
logFacility& processLog() {
    alignas(logFacility) static unsigned char storage[sizeof(logFacility)];
    static logFacility* const log = new (storage) logFacility;
    return *log;
}

// Appends to a fixed buffer and cuts what does not fit.
class prefixBuffer {
public:
    prefixBuffer(char* buffer, std::size_t capacity) : buffer_(buffer), capacity_(capacity) {
        if (capacity_ > 0) buffer_[0] = '\0';
    }

    void add(const char* format, ...) POSTSIFT_PRINTF(2, 3) {
        if (used_ + 1 >= capacity_) return;
        std::va_list arguments;
        va_start(arguments, format);
        const int written = std::vsnprintf(buffer_ + used_, capacity_ - used_, format, arguments);
        va_end(arguments);
        if (written < 0) {
            buffer_[used_] = '\0';
            return;
        }
        const std::size_t room = capacity_ - used_ - 1;
        used_ += static_cast<std::size_t>(written) < room ? static_cast<std::size_t>(written) : room;
    }

private:
    char* buffer_;
    std::size_t capacity_;
    std::size_t used_ = 0;
};

void reportUnopenable(const char* what, int code, const char* fileName) {
    std::fprintf(stderr, "%s: %s\n", what, std::strerror(code));
    std::fprintf(stderr, "Log file name: %s\n", printable(fileName));
}

}  // namespace

logFacility* installLog(logFacility* log) {
    logFacility* previous = installedLog;
    installedLog = log;
    maxLevel = log != nullptr ? log->highestLevel() : 1;
    return previous;
}

void logFacility::publishLevel() const {
    if (installedLog == this) maxLevel = maxLevel_;
}

void logFacility::setUp() {
    shutDown();
    maxLevel_ = 1;
    defaultLevel_ = 1;
    columns_ = defaultLogColumns;
    components_.clear();
    settings_.openSettingsKey();

    const settingText logPath = settings_.readSettingString("LanguageIndependent", "LogPath");
    const settingText logLevel = settings_.readSettingString("LanguageIndependent", "LogLevel");
    const settingText logFilter = settings_.readSettingString("LanguageIndependent", "LogFilter");
    const settingText logComp = settings_.readSettingString("LanguageIndependent", "LogComp");

    if (logLevel != nullptr) maxLevel_ = parseLogLevel(logLevel.get(), 1);
    defaultLevel_ = maxLevel_;
    if (logFilter != nullptr) columns_ = parseLogFilter(logFilter.get());

    // The name takes as much room as the folder needs.
    const char separator[] = {platform::pathSeparator(), '\0'};
    const bool named = logPath != nullptr ? fileName_.assign(logPath.get()) && fileName_.append(separator) &&
                                                fileName_.append("tts.log")
                                          : fileName_.assign("tts.log");

    components_.set("sem", 3, 1);
    if (logComp != nullptr) parseLogComponents(logComp.get(), components_, maxLevel_);
    publishLevel();
    if (!named) {
        reportUnopenable("Error.  Unable to open log file", ENOMEM, fileName_.get());
        return;
    }

    ownedText header;
    bool isNew = false;
    if (std::FILE* existing = std::fopen(fileName_.get(), "r")) {
        std::fclose(existing);
    } else if (errno == ENOENT) {
        isNew = true;
        buildColumnHeader(columns_, header);
    } else {
        reportUnopenable("Error.  Unable to open log file read only", errno, fileName_.get());
        return;
    }

    file_ = std::fopen(fileName_.get(), "a");
    if (file_ == nullptr) {
        reportUnopenable("Error.  Unable to open log file", errno, fileName_.get());
        return;
    }
    if (isNew && !header.isNull()) {
        std::fputs(header.get(), file_);
        std::fflush(file_);
    }

    mutex_.reset(new (std::nothrow) ZelMutexSemaphore(mutexBaseName(), "log", semaphoreOpenOnly));
    // Without the mutex the log still works, only without serialising its
    // lines across processes.
    if (mutex_ != nullptr && mutex_->d_sema4Id == nullptr) mutex_.reset();
}

void logFacility::shutDown() {
    mutex_.reset();
    settings_.closeSettingsKey();
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    // Nothing stays on the heap: the process's log outlives its library's
    // unloading, and a host may load the library again.
    components_.clear();
    fileName_.release();
    maxLevel_ = 1;
    publishLevel();
}

void logFacility::write(int level, const char* component, const char* function, const char* sourceFile, int line,
                        int lockFlag, const char* format, std::va_list arguments) {
    if (file_ == nullptr || level < 1 || level > 4) return;
    int enabled = defaultLevel_;
    components_.levelOf(component, enabled);
    if (enabled < level) return;

    char prefix[prefixCapacity];
    formatLogPrefix(prefix, sizeof prefix, level, columns_, component, function, sourceFile, line);

    // The line is written whatever the wait answers, and the mutex is
    // released after any wait: -1 also stands for an abandoned mutex, which
    // is then ours, and keeping it would stop every other process's log.
    ZelMutexSemaphore* mutex = lockFlag != 0 ? mutex_.get() : nullptr;
    if (mutex != nullptr) mutex->wait(-1);
    std::fseek(file_, 0, SEEK_END);
    std::fputs(prefix, file_);
    if (format != nullptr) std::vfprintf(file_, format, arguments);
    else std::fputs("NULL FORMAT STRING", file_);
    std::fputc('\n', file_);
    std::fflush(file_);
    if (mutex != nullptr) mutex->release();
}

void logFacility::message(int level, const char* component, const char* function, const char* sourceFile, int line,
                          int lockFlag, const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    write(level, component, function, sourceFile, line, lockFlag, format, arguments);
    va_end(arguments);
}

void formatLogPrefix(char* buffer, std::size_t capacity, int level, unsigned columns, const char* component,
                     const char* function, const char* sourceFile, int line) {
    prefixBuffer prefix(buffer, capacity);
    prefix.add("%s%s", level >= 1 && level <= 4 ? levelLetters[level - 1] : "?", " ");
    if ((columns & columnDateTime) != 0) {
        const platform::localTime now = platform::currentLocalTime();
        prefix.add("%02d/%02d/%02d-%02d:%02d:%02d.%03d%s", now.month, now.day, now.year - 2000, now.hour,
                   now.minute, now.second, now.millisecond, " ");
    }
    if ((columns & columnComponent) != 0) prefix.add("%.3s%s", printable(component), " ");
    if ((columns & columnProcessId) != 0) prefix.add("% 5d%s", platform::currentProcessId(), " ");
    if ((columns & columnThreadId) != 0)
        prefix.add("% 5d%s", static_cast<int>(platform::currentThreadId()), " ");
    if ((columns & columnFunction) != 0) prefix.add("%s%s", printable(function), " ");
    if ((columns & columnSourceFile) != 0) prefix.add("%s%s", printable(sourceFile), " ");
    if ((columns & columnLine) != 0) prefix.add("%d%s", line, " ");
}

void logMessage(int level, const char* component, const char* function, const char* sourceFile, int line,
                int lockFlag, const char* format, ...) {
    logFacility* log = installedLog;
    if (log == nullptr) return;
    std::va_list arguments;
    va_start(arguments, format);
    log->write(level, component, function, sourceFile, line, lockFlag, format, arguments);
    va_end(arguments);
}

void setUpLog() {
    logFacility& log = processLog();
    installLog(&log);
    log.setUp();
}

void shutDownLog() { processLog().shutDown(); }

}  // namespace postsift
