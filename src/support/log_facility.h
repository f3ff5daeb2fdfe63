#pragma once
#include <cstdarg>
#include <cstdio>
#include <memory>

#include "support/diagnostics_format.h"
#include "support/log_settings.h"
#include "support/owned_text.h"
#include "support/settings_key.h"
#include "support/zelsemnt.h"

namespace postsift {

// The log: the file "tts.log" shared by every process that loads the
// library, its lines filtered by level per component and prefixed by the
// columns the registry chooses. The process has one, set up at load;
// logMessage writes to whichever log is installed.
class logFacility {
public:
    logFacility() = default;
    ~logFacility() { shutDown(); }
    logFacility(const logFacility&) = delete;
    logFacility& operator=(const logFacility&) = delete;

    // Reads the settings under "LanguageIndependent", opens the log file
    // (writing the column header into a new one) and opens the log's mutex.
    void setUp();
    // Closes the mutex, the settings key and the file.
    void shutDown();

    void write(int level, const char* component, const char* function, const char* sourceFile, int line,
               int lockFlag, const char* format, std::va_list arguments);
    void message(int level, const char* component, const char* function, const char* sourceFile, int line,
                 int lockFlag, const char* format, ...) POSTSIFT_PRINTF(8, 9);

    int highestLevel() const { return maxLevel_; }
    int defaultLevel() const { return defaultLevel_; }
    unsigned columns() const { return columns_; }
    const logComponentList& components() const { return components_; }
    bool isOpen() const { return file_ != nullptr; }
    const char* fileName() const { return fileName_.get(); }
    bool hasMutex() const { return mutex_ != nullptr; }

private:
    void publishLevel() const;

    settingsKey settings_;
    int maxLevel_ = 1;
    int defaultLevel_ = 1;
    unsigned columns_ = defaultLogColumns;
    logComponentList components_;
    ownedText fileName_;
    std::FILE* file_ = nullptr;
    std::unique_ptr<ZelMutexSemaphore> mutex_;
};

// Makes `log` the one that logMessage writes to and whose level maxLevel
// shows (null: none); returns the one installed before.
logFacility* installLog(logFacility* log);

// Formats the prefix of a log line into `buffer`, cut to fit its capacity.
void formatLogPrefix(char* buffer, std::size_t capacity, int level, unsigned columns, const char* component,
                     const char* function, const char* sourceFile, int line);

}  // namespace postsift
