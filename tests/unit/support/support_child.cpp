// A second process for the tests: it holds the library's code, so the trace
// and the log are set up from the registry when it starts and shut down when
// it ends, as in any process that loads the library. The command on its
// command line says what it does in between; it prints what it found.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "interface/registration.h"
#include "platform/test_process.h"
#include "support/log.h"
#include "support/settings_key.h"
#include "support/zelsemnt.h"

using namespace postsift;

namespace {

// A mutex that another process holds: how a zero wait and a release go.
int probe(const char* name) {
    ZelMutexSemaphore mutex(name, nullptr, semaphoreOpenOnly);
    const int waited = mutex.wait(0);
    std::printf("%d\n", waited);
    if (waited == 0) mutex.release();
    return 0;
}

// Takes the mutex and ends without releasing it.
int abandon(const char* name) {
    ZelMutexSemaphore mutex(name, nullptr, semaphoreOpenOnly);
    std::printf("%d\n", mutex.wait(-1));
    return 0;
}

// Creates the mutex asking for ownership and waiting for it.
int ownAndWait(const char* name) {
    ZelSemaphoreId id = nullptr;
    const int created = createMutexSemaphore(name, nullptr, &id, semaphoreOwnAndWait);
    std::printf("%d\n", created);
    platform::releaseNamedMutex(id);
    platform::closeNamedMutex(id);
    return 0;
}

// Reads and tries to write the settings as a user who may not write them.
int readOnly() {
    if (!platform::dropAdministratorRights()) {
        std::printf("cannot drop rights\n");
        return 77;
    }
    settingsKey key;
    key.openSettingsKey();
    const settingText level = key.readSettingString("LanguageIndependent", "LogLevel");
    std::printf("open=%d read=%s write=%d register=%s\n", key.isOpen() ? 1 : 0, level ? level.get() : "(null)",
                key.writeSettingString("LanguageIndependent", "LogLevel", "4") ? 1 : 0,
                registerServer() == resultOk ? "S_OK" : "E_FAIL");
    return 0;
}

// Writes `count` log lines, each long enough to need more than one write to
// the file, with the lock flag on. Each line names its writer twice, at its
// start and at its end, so that a line that another cut or joined shows.
int writeLogLines(const char* count, const char* tag) {
    const std::string padding(5000, '.');
    const int lines = std::atoi(count);
    for (int i = 0; i < lines; ++i)
        logMessage(1, "Undefined", "writer", "support_child", 1, 1, "%s %d %s %s", tag, i, padding.c_str(), tag);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    const char* name = argc > 2 ? argv[2] : "";
    if (command == "idle") return 0;
    if (command == "base-name") {
        std::printf("%s\n", mutexBaseName());
        return 0;
    }
    if (command == "probe") return probe(name);
    if (command == "abandon") return abandon(name);
    if (command == "own-and-wait") return ownAndWait(name);
    if (command == "read-only") return readOnly();
    if (command == "log-lines") return writeLogLines(name, argc > 3 ? argv[3] : "");
    std::fprintf(stderr, "unknown command '%s'\n", command.c_str());
    return 2;
}
