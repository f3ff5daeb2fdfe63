#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "filter/epost_sift.h"
#include "filter/filterlist.h"
#include "platform/process.h"
#include "support/log.h"
#include "support/log_facility.h"
#include "support/reserved_names.h"
#include "support/zelsemnt.h"
#include "support_fixture.h"

using namespace postsift;
using namespace postsift::testing;

namespace {

// A log set up from the private registry and installed as the process's
// while the test runs, so that the library's own log calls reach it.
class installedLog {
public:
    installedLog() : previous_(installLog(&log_)) { log_.setUp(); }
    ~installedLog() {
        log_.shutDown();
        installLog(previous_);
    }
    logFacility* operator->() { return &log_; }

private:
    logFacility log_;
    logFacility* previous_;
};

std::vector<std::string> maskedLines(const std::string& path) {
    std::vector<std::string> lines = readLines(path);
    for (std::string& line : lines) line = maskDateTime(line);
    return lines;
}

}  // namespace

TEST(Log, WithoutSettingsOnlyErrorsGoToANewLogWithTheDefaultColumns) {
    privateRegistry registry;
    scratchFolder folder("log_defaults");
    {
        installedLog log;
        EXPECT_EQ(maxLevel, 1);
        EXPECT_TRUE(log->hasMutex());
        logMessage(1, "Undefined", "epostSift::readConfigFile(char*)", "config", 12, 1, "cannot read '%s'", "x.cfg");
        logMessage(3, "Undefined", "Undefined", "filterlist", 130, 1, "not wanted");
        logMessage(2, "sem", "f", "zelsemnt", 1, 0, "not wanted either");
    }
    EXPECT_EQ(maskedLines("tts.log"), (std::vector<std::string>{
                                          "S|------ Date-Time-----|Com|-Function-|-Message--->",
                                          "E <date> Und epostSift::readConfigFile(char*) cannot read 'x.cfg'",
                                      }));
}

TEST(Log, AllColumnsAndTheSearchesLines) {
    privateRegistry registry;
    registry.set("LogFilter", "dpTcfil");
    registry.set("LogLevel", "3");
    scratchFolder folder("log_all_columns");
    {
        installedLog log;
        EXPECT_EQ(maxLevel, 3);
        filterEntry entry("Subject", "[SUBJECT]");
        EXPECT_EQ(findException(&entry, "  SUBJECT"), &entry);
        EXPECT_EQ(findSymbol(&entry, "[subject]"), &entry);
    }
    const std::vector<std::string> lines = maskedLines("tts.log");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "S|------ Date-Time-----|Com|-PID-|-Thd-|-Function-|-FileName-|-Line#-|-Message--->");
    const std::regex searchLine("T <date> Und +[0-9]+ +[0-9]+ Undefined filterlist (130|154) (.*)");
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(lines[1], parts, searchLine)) << lines[1];
    EXPECT_EQ(parts[2], "Searching for exception 'SUBJECT'");
    ASSERT_TRUE(std::regex_match(lines[2], parts, searchLine)) << lines[2];
    EXPECT_EQ(parts[1], "154");
    EXPECT_EQ(parts[2], "Searching for symbol '[subject]'");
}

TEST(Log, TheFiltersIndexedSearchesWriteTheLinesOfTheWalk) {
    privateRegistry registry;
    registry.set("LogFilter", "l");
    registry.set("LogLevel", "3");
    scratchFolder folder("log_indexed_searches");
    {
        installedLog log;
        epostSift filter;
        filter.updateFilter("Subject:", "x");
        filter.updateFilter(optionIncludeForwardedText, "false");
        filter.updateSymbolTable("[SUBJECT]", "Subject:|Objet:");
        filter.beginHeaderItem("  OBJET:", 0);
        EXPECT_EQ(filter.currentSymbol, filter.symbolTable);
        // An option asked for twice: the second answer is a remembered one.
        filter.findFilterEntry(optionIncludeForwardedText);
        filter.findFilterEntry(optionIncludeForwardedText);
    }
    EXPECT_EQ(readLines("tts.log"), (std::vector<std::string>{
                                        "S|-Line#-|-Message--->",
                                        "T 130 Searching for exception 'OBJET:'",
                                        "T 154 Searching for symbol 'OBJET:'",
                                        "T 130 Searching for exception '[INCLUDE FORWARDED TEXT]'",
                                        "T 130 Searching for exception '[INCLUDE FORWARDED TEXT]'",
                                    }));
}

TEST(Log, AnEmptyFilterLeavesTheLevelAndTheMessage) {
    for (const char* filter : {"", "xyz"}) {
        privateRegistry registry;
        registry.set("LogFilter", filter);
        scratchFolder folder("log_no_columns");
        {
            installedLog log;
            logMessage(1, "Undefined", "Undefined", "filterlist", 1, 1, "%s %d", "plain", 7);
            logMessage(1, "Undefined", "Undefined", "filterlist", 1, 1, nullptr);
        }
        EXPECT_EQ(readLines("tts.log"), (std::vector<std::string>{"S|-Message--->", "E plain 7", "E NULL FORMAT STRING"}))
            << filter;
    }
}

TEST(Log, ComponentLevelsLetTheMutexDebugLinesThrough) {
    privateRegistry registry;
    registry.set("LogFilter", "c");
    registry.set("LogComp", "sem:4");
    scratchFolder folder("log_components");
    {
        installedLog log;
        EXPECT_EQ(maxLevel, 4);
        logMessage(3, "Undefined", "Undefined", "filterlist", 130, 1, "held back: Undefined stays at LogLevel");
        logMessage(4, "sem", "f", "zelsemnt", 1, 0, "let through");
    }
    const std::vector<std::string> lines = readLines("tts.log");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "S|Com|-Message--->");
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("D sem created Mutex sema4\\.  \\*psema4Id = -?[0-9]+")))
        << lines[1];
    EXPECT_EQ(lines[2], "D sem let through");
    EXPECT_TRUE(std::regex_match(lines[3], std::regex("D sem closing handle:d_sema4Id = -?[0-9]+"))) << lines[3];
    EXPECT_EQ(lines[1].substr(lines[1].rfind(' ')), lines[3].substr(lines[3].rfind(' ')));
}

TEST(Log, ALineWrittenUnderTheMutexLeavesItFreeForOtherProcesses) {
    privateRegistry registry;
    scratchFolder folder("log_mutex_released");
    installedLog log;
    ASSERT_TRUE(log->hasMutex());
    logMessage(1, "Undefined", "Undefined", "x", 1, 1, "under the mutex");
    const std::string logMutex = std::string(mutexBaseName()) + "log";
    EXPECT_EQ(runSupportChild({"probe", logMutex}).output, "0\n");
}

TEST(Log, AnExistingLogGetsNoSecondHeader) {
    privateRegistry registry;
    registry.set("LogFilter", "");
    scratchFolder folder("log_existing");
    writeFile("tts.log", "S|-Message--->\nE earlier\n");
    {
        installedLog log;
        logMessage(1, "Undefined", "Undefined", "x", 1, 1, "later");
    }
    EXPECT_EQ(readLines("tts.log"), (std::vector<std::string>{"S|-Message--->", "E earlier", "E later"}));
}

TEST(Log, LogPathNamesTheFolderOfTheLog) {
    privateRegistry registry;
    scratchFolder folder("log_path");
    std::filesystem::create_directory("logs");
    registry.set("LogPath", folder.file("logs").c_str());
    registry.set("LogFilter", "");
    {
        installedLog log;
        logMessage(1, "Undefined", "Undefined", "x", 1, 1, "elsewhere");
    }
    EXPECT_FALSE(fileExists("tts.log"));
    EXPECT_EQ(readLines(folder.file("logs") + platform::pathSeparator() + "tts.log"),
              (std::vector<std::string>{"S|-Message--->", "E elsewhere"}));
}

TEST(Log, ALogThatCannotBeOpenedIsReportedAndStaysClosed) {
    privateRegistry registry;
    scratchFolder folder("log_unopenable");
    // Far longer than the 260 bytes a log file name once had to fit in.
    const char separator = platform::pathSeparator();
    const std::string missing = folder.file(std::string(130, 'a') + separator + std::string(130, 'b') + separator +
                                            std::string(130, 'c'));
    registry.set("LogPath", missing.c_str());
    ::testing::internal::CaptureStderr();
    {
        installedLog log;
        EXPECT_FALSE(log->isOpen());
        EXPECT_FALSE(log->hasMutex());
        logMessage(1, "Undefined", "Undefined", "x", 1, 1, "lost");
    }
    const std::string errors = ::testing::internal::GetCapturedStderr();
    const std::string name = missing + separator + "tts.log";
    EXPECT_EQ(errors.rfind("Error.  Unable to open log file: ", 0), 0u) << errors;
    EXPECT_NE(errors.find("\nLog file name: " + name + "\n"), std::string::npos) << errors;
    EXPECT_FALSE(fileExists("tts.log"));
}

TEST(Log, ProcessesWritingAtOnceLeaveWholeLines) {
    privateRegistry registry;
    scratchFolder folder("log_processes");
    registry.set("LogFilter", "");
    // A mutex of these tests' own, not the one of every process on the machine.
    const std::vector<std::string> environment{registry.environmentSetting(), "ZAREZI=postsift-test-log-lines"};
    // The first process to load the library makes the file and its header;
    // the writers then all append to it.
    ASSERT_EQ(runSupportChild({"idle"}, environment).status, 0);

    constexpr int writers = 4;
    constexpr int linesEach = 1000;
    std::vector<platform::childRun> runs(writers);
    std::vector<std::thread> threads;
    for (int w = 0; w < writers; ++w)
        threads.emplace_back([&, w] {
            runs[w] = runSupportChild({"log-lines", std::to_string(linesEach), "w" + std::to_string(w)}, environment);
        });
    for (std::thread& t : threads) t.join();
    for (const platform::childRun& run : runs) ASSERT_EQ(run.status, 0) << run.errors;

    const std::vector<std::string> log = readLines("tts.log");
    ASSERT_EQ(log.size(), 1u + writers * linesEach);
    EXPECT_EQ(log[0], "S|-Message--->");
    const std::regex whole("E (w[0-9]) ([0-9]+) \\.{5000} (w[0-9])");
    int next[writers] = {};
    int broken = 0;
    for (std::size_t i = 1; i < log.size(); ++i) {
        std::smatch parts;
        if (!std::regex_match(log[i], parts, whole) || parts[1] != parts[3]) {
            if (++broken <= 3) ADD_FAILURE() << "line " << i << " is not whole: " << log[i].substr(0, 80) << "...";
            continue;
        }
        const int w = parts[1].str()[1] - '0';
        // Each writer's lines come in its own order.
        EXPECT_EQ(std::stoi(parts[2]), next[w]) << "line " << i;
        next[w] = std::stoi(parts[2]) + 1;
    }
    EXPECT_EQ(broken, 0);
    for (int w = 0; w < writers; ++w) EXPECT_EQ(next[w], linesEach) << "writer " << w;
}
