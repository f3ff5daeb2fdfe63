#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filter/filterlist.h"
#include "filter/epost_sift.h"
#include "support/trace.h"
#include "support/trace_facility.h"
#include "support_fixture.h"

using namespace postsift;
using namespace postsift::testing;

namespace {

const char startLine[] = "CLCK THRD ---------------- START ------------------";
const char endLine[] = "<stamp> ----------------  END  ------------------";

// A trace set up from the private registry and installed as the process's
// while the test runs, so that the library's own trace calls reach it.
class installedTrace {
public:
    installedTrace() : trace_(lock_), previous_(installTrace(&trace_)) { trace_.setUp(); }
    ~installedTrace() {
        trace_.shutDown();
        installTrace(previous_);
    }
    traceFacility* operator->() { return &trace_; }

private:
    MutexLock lock_;
    traceFacility trace_;
    traceFacility* previous_;
};

std::vector<std::string> maskedTraceLines(const std::string& path) {
    std::vector<std::string> lines = readLines(path);
    for (std::string& line : lines) line = maskStamp(line);
    return lines;
}

}  // namespace

TEST(Trace, IsOffWithoutSettingsOrZelDbg) {
    privateRegistry registry;
    scratchFolder folder("trace_off");
    {
        installedTrace trace;
        EXPECT_FALSE(trace->isEnabled());
        traceMessage("nobody reads this");
    }
    EXPECT_FALSE(fileExists("zel.dbg"));
}

TEST(Trace, AnExistingZelDbgReceivesStampedLinesBetweenStartAndEnd) {
    privateRegistry registry;
    scratchFolder folder("trace_zel_dbg");
    writeFile("zel.dbg", "from before\n");
    {
        installedTrace trace;
        traceMessage("epostSift::updateFilter(%s, %s): updateFilter enter", "[BODY]", "Message:");
        traceMessage(nullptr);
    }
    traceMessage("after the end");
    EXPECT_EQ(maskedTraceLines("zel.dbg"), (std::vector<std::string>{
                                          "from before",
                                          startLine,
                                          "<stamp> epostSift::updateFilter([BODY], Message:): updateFilter enter",
                                          "<stamp> NULL FORMAT STRING",
                                          endLine,
                                      }));
}

TEST(Trace, TraceLevelDecidesWhetherPathTraceIsUsed) {
    struct levelCase {
        const char* level;
        bool usesPath;
    };
    // Compared byte-wise with "0": only texts that sort after it switch on.
    for (const levelCase& each : {levelCase{"1", true}, levelCase{"10", true}, levelCase{"00", true},
                                  levelCase{"a", true}, levelCase{"0", false}, levelCase{"", false},
                                  levelCase{"-1", false}, levelCase{"/", false}}) {
        privateRegistry registry;
        scratchFolder folder("trace_level");
        const std::string path = folder.file("named.trace");
        registry.set("TraceLevel", each.level);
        registry.set("Path_Trace", path.c_str());
        writeFile("zel.dbg", "");
        {
            installedTrace trace;
            traceMessage("line");
        }
        const std::vector<std::string> lines{startLine, "<stamp> line", endLine};
        EXPECT_EQ(maskedTraceLines(path), each.usesPath ? lines : std::vector<std::string>{}) << each.level;
        EXPECT_EQ(fileExists(path), each.usesPath) << each.level;
        EXPECT_EQ(maskedTraceLines("zel.dbg"), each.usesPath ? std::vector<std::string>{} : lines) << each.level;
    }
}

TEST(Trace, ANamedFileThatCannotBeOpenedLeavesTheTraceOff) {
    privateRegistry registry;
    scratchFolder folder("trace_unopenable");
    registry.set("TraceLevel", "1");
    registry.set("Path_Trace", folder.file("missing-folder/named.trace").c_str());
    writeFile("zel.dbg", "");
    {
        installedTrace trace;
        EXPECT_FALSE(trace->isEnabled());
        traceMessage("line");
    }
    EXPECT_TRUE(readLines("zel.dbg").empty());
}

TEST(Trace, LinesAreLostWhileTheFileIsGone) {
    privateRegistry registry;
    scratchFolder folder("trace_removed");
    writeFile("zel.dbg", "");
    {
        installedTrace trace;
        std::filesystem::remove("zel.dbg");
        traceMessage("lost");
        EXPECT_FALSE(fileExists("zel.dbg"));
        writeFile("zel.dbg", "");
        traceMessage("kept");
    }
    EXPECT_EQ(maskedTraceLines("zel.dbg"), (std::vector<std::string>{"<stamp> kept", endLine}));
}

TEST(Trace, DestroyingAFilterTracesEveryFilterListKeyInOrder) {
    privateRegistry registry;
    scratchFolder folder("trace_filter");
    writeFile("zel.dbg", "");
    {
        installedTrace trace;
        epostSift* filter = new epostSift;
        filterEntry* first = new filterEntry("Subject", "[SUBJECT]");
        filterEntry* second = new filterEntry("Lundi", "Monday");
        first->setNext(second);
        filter->filterList = first;
        filter->symbolTable = new filterEntry("[BODY]", "Message:");
        EXPECT_EQ(filter->deleteFilter(), 0);
    }
    EXPECT_EQ(maskedTraceLines("zel.dbg"), (std::vector<std::string>{
                                          startLine,
                                          "<stamp> epostSift::~epostSift(): deleting key 'subject'",
                                          "<stamp> epostSift::~epostSift(): deleting key 'lundi'",
                                          endLine,
                                      }));
}
