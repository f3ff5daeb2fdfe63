#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "platform/process.h"
#include "support/log.h"
#include "support/log_facility.h"
#include "support/zelsemnt.h"
#include "support_fixture.h"

using namespace postsift;
using namespace postsift::testing;

namespace {

// A mutex name of this test run alone.
std::string uniqueName(const char* what) {
    return std::string("postsift-test-") + what + "-" + std::to_string(platform::currentProcessId());
}

// Catches the mutex code's log lines: a bare log (level and message only)
// that lets every component through at Debug level.
class mutexLog {
public:
    explicit mutexLog(const char* folderName) : folder_(folderName) {
        registry_.set("LogFilter", "c");
        registry_.set("LogComp", "sem:4");
        previous_ = installLog(&log_);
        log_.setUp();
    }
    ~mutexLog() {
        log_.shutDown();
        installLog(previous_);
    }
    // The lines after the header and the log's own mutex creation.
    std::vector<std::string> lines() const {
        std::vector<std::string> all = readLines("tts.log");
        return all.size() > 2 ? std::vector<std::string>(all.begin() + 2, all.end()) : std::vector<std::string>{};
    }

private:
    privateRegistry registry_;
    scratchFolder folder_;
    logFacility log_;
    logFacility* previous_ = nullptr;
};

bool matches(const std::string& line, const char* pattern) { return std::regex_match(line, std::regex(pattern)); }

}  // namespace

TEST(NamedMutex, TwoProcessesShareOneMutexByName) {
    scratchFolder folder("mutex_shared");
    const std::string name = uniqueName("shared");
    ZelMutexSemaphore mine(name.c_str(), nullptr, semaphoreOpenOnly);
    ASSERT_NE(mine.d_sema4Id, nullptr);
    ASSERT_EQ(mine.wait(-1), 0);
    // Owned here: the other process's zero wait runs out at once.
    EXPECT_EQ(runSupportChild({"probe", name}).output, "1\n");
    ASSERT_EQ(mine.release(), 0);
    EXPECT_EQ(runSupportChild({"probe", name}).output, "0\n");
}

TEST(NamedMutex, AZeroWaitOnAMutexOwnedByAnotherThreadTimesOut) {
    ZelMutexSemaphore mutex(nullptr, nullptr, semaphoreOpenOnly);
    ASSERT_EQ(mutex.wait(-1), 0);
    EXPECT_EQ(mutex.wait(0), 0);  // the owner may take it again
    int waited = -2;
    std::thread other([&] { waited = mutex.wait(0); });
    other.join();
    EXPECT_EQ(waited, 1);
    EXPECT_EQ(mutex.release(), 0);
    EXPECT_EQ(mutex.release(), 0);
    std::thread after([&] {
        waited = mutex.wait(50);
        if (waited == 0) mutex.release();
    });
    after.join();
    EXPECT_EQ(waited, 0);
}

TEST(NamedMutex, AMutexLeftByAnEndedThreadIsAbandonedButOwned) {
    mutexLog log("mutex_abandoned_thread");
    ZelMutexSemaphore mutex(uniqueName("thread").c_str(), nullptr, semaphoreOpenOnly);
    std::thread owner([&] { EXPECT_EQ(mutex.wait(-1), 0); });
    owner.join();
    EXPECT_EQ(mutex.wait(-1), -1);
    int waited = -2;
    std::thread other([&] { waited = mutex.wait(0); });
    other.join();
    EXPECT_EQ(waited, 1);
    EXPECT_EQ(mutex.release(), 0);
    const std::vector<std::string> lines = log.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_TRUE(matches(lines[0], "D sem created Mutex sema4\\.  \\*psema4Id = -?[0-9]+")) << lines[0];
    EXPECT_TRUE(matches(lines[1], "E sem WaitForSingleObject failed\\.  Error code = -?[0-9]+")) << lines[1];
}

TEST(NamedMutex, AMutexLeftByAnEndedProcessIsAbandonedButOwned) {
    scratchFolder folder("mutex_abandoned_process");
    const std::string name = uniqueName("process");
    ZelMutexSemaphore mutex(name.c_str(), nullptr, semaphoreOpenOnly);
    ASSERT_EQ(runSupportChild({"abandon", name}).output, "0\n");
    EXPECT_EQ(mutex.wait(-1), -1);
    EXPECT_EQ(mutex.release(), 0);
    EXPECT_EQ(mutex.wait(0), 0);
    EXPECT_EQ(mutex.release(), 0);
}

TEST(NamedMutex, StateZeroWaitsForAMutexThatAnotherProcessOwns) {
    privateRegistry registry;
    registry.set("LogFilter", "c");
    registry.set("LogComp", "sem:4");
    scratchFolder folder("mutex_wait_at_creation");
    const std::string name = uniqueName("creation");
    ZelMutexSemaphore mine(name.c_str(), nullptr, semaphoreOpenOnly);
    // Ownership belongs to a thread: the one that waited releases.
    std::promise<int> owned;
    std::thread owner([&] {
        owned.set_value(mine.wait(-1));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        mine.release();
    });
    EXPECT_EQ(owned.get_future().get(), 0);
    const platform::childRun child = runSupportChild({"own-and-wait", name}, {registry.environmentSetting()});
    owner.join();
    EXPECT_EQ(child.output, "0\n");
    const std::vector<std::string> lines = readLines("tts.log");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[2], "D sem semaphore owned by another process.  Wait for it now.");
    EXPECT_TRUE(matches(lines[3], "D sem created Mutex sema4\\.  \\*psema4Id = -?[0-9]+")) << lines[3];
}

TEST(NamedMutex, AFailedCreationIsLoggedAndTheProcessGoesOn) {
    mutexLog log("mutex_refused");
    // A backslash outside a namespace prefix, and a name past what the
    // system takes.
    for (const std::string& name : {std::string("bad\\name"), std::string(300, 'n')}) {
        ZelSemaphoreId id = reinterpret_cast<ZelSemaphoreId>(&log);
        EXPECT_EQ(createMutexSemaphore(name.c_str(), "log", &id, semaphoreOpenOnly), -1);
        EXPECT_EQ(id, nullptr);
    }
    ZelMutexSemaphore refused("bad\\name", nullptr, semaphoreOpenOnly);
    EXPECT_EQ(refused.wait(0), -1);
    EXPECT_EQ(refused.release(), -1);
    const std::vector<std::string> lines = log.lines();
    const std::vector<const char*> expected{
        "E sem CreateMutex failed\\.  Error code = [0-9]+", "",
        "E sem CreateMutex failed\\.  Error code = [0-9]+", "",
        "E sem CreateMutex failed\\.  Error code = [0-9]+", "",
        "E sem WaitForSingleObject failed\\.  Error code = [0-9]+", "",
        "E sem ReleaseMutex failed\\.  Error code = [0-9]+",
    };
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_TRUE(matches(lines[i], expected[i])) << lines[i];
}

TEST(NamedMutex, TheBaseNameComesFromZarezi) {
    scratchFolder folder("mutex_base_name");
    const std::string longest(259, 'z');
    EXPECT_EQ(runSupportChild({"base-name"}, {"ZAREZI=" + longest}).output, longest + "\n");
    EXPECT_EQ(runSupportChild({"base-name"}, {"ZAREZI=" + longest + "z"}).output, "ZAREZI\n");
    EXPECT_EQ(runSupportChild({"base-name"}, {"ZAREZI="}).output, "ZAREZI\n");
    EXPECT_EQ(runSupportChild({"base-name"}, {"ZAREZI=tts"}).output, "tts\n");
}

TEST(LoadPath, AProcessSetsUpTheTraceAndTheLogAndTakesThemDownAtTheEnd) {
    privateRegistry registry;
    scratchFolder folder("load_path");
    const std::string tracePath = folder.file("process.trace");
    registry.set("TraceLevel", "1");
    registry.set("Path_Trace", tracePath.c_str());
    registry.set("LogFilter", "c");
    registry.set("LogComp", "sem:4");
    const platform::childRun child = runSupportChild({"idle"}, {registry.environmentSetting()});
    ASSERT_EQ(child.status, 0) << child.errors;

    std::vector<std::string> trace = readLines(tracePath);
    for (std::string& line : trace) line = maskStamp(line);
    EXPECT_EQ(trace, (std::vector<std::string>{"CLCK THRD ---------------- START ------------------",
                                               "<stamp> ----------------  END  ------------------"}));
    const std::vector<std::string> log = readLines("tts.log");
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], "S|Com|-Message--->");
    EXPECT_TRUE(matches(log[1], "D sem created Mutex sema4\\.  \\*psema4Id = -?[0-9]+")) << log[1];
    EXPECT_TRUE(matches(log[2], "D sem closing handle:d_sema4Id = -?[0-9]+")) << log[2];
}

TEST(LoadPath, AMutexNameTooLongForTheSystemDoesNotEndTheProcess) {
    privateRegistry registry;
    scratchFolder folder("load_path_long_name");
    registry.set("LogFilter", "c");
    registry.set("LogComp", "sem:4");
    // 259 characters are a base name; with "log" the mutex name is too long.
    const std::string longest(259, 'z');
    const platform::childRun child =
        runSupportChild({"base-name"}, {registry.environmentSetting(), "ZAREZI=" + longest});
    EXPECT_EQ(child.status, 0) << child.errors;
    EXPECT_EQ(child.output, longest + "\n");
    const std::vector<std::string> log = readLines("tts.log");
    ASSERT_EQ(log.size(), 4u);
    EXPECT_TRUE(matches(log[1], "E sem CreateMutex failed\\.  Error code = [0-9]+")) << log[1];
    EXPECT_EQ(log[2], "");
    EXPECT_EQ(log[3], "D sem closing handle:d_sema4Id = 0");
}
