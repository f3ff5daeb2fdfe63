// The trace lines of the configuration operations, as a trace file shows them.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "filter/epost_sift.h"
#include "support/mutex_lock.h"
#include "scratch_file.h"
#include "support/trace.h"
#include "support/trace_facility.h"

using namespace postsift;

namespace {

// A trace of this test's own, writing to an existing "zel.dbg" in the
// working folder, installed in place of the process's while it lives.
class capturedTrace {
public:
    capturedTrace() : file_("zel.dbg", ""), trace_(lock_) {
        trace_.setUp();
        previous_ = installTrace(&trace_);
    }
    ~capturedTrace() { installTrace(previous_); }

    bool writesHere() const { return trace_.isEnabled() && std::string(trace_.path()) == "zel.dbg"; }

    // The lines written so far, without their stamps, the START line left out.
    std::vector<std::string> lines() const {
        std::ifstream in(file_.path(), std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line)) {
            // Windows writes the trace in text mode, with CR LF line ends.
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.compare(0, 5, "CLCK ") == 0) continue;
            const std::size_t clock = line.find(' ');
            const std::size_t thread = clock == std::string::npos ? clock : line.find(' ', clock + 1);
            lines.push_back(thread == std::string::npos ? "<no stamp> " + line : line.substr(thread + 1));
        }
        return lines;
    }

private:
    scratchFile file_;
    MutexLock lock_;
    traceFacility trace_;
    traceFacility* previous_ = nullptr;
};

using lines = std::vector<std::string>;

}  // namespace

TEST(ConfigurationTrace, NamesEachCallAndTheListsThatAreEmpty) {
    capturedTrace trace;
    if (!trace.writesHere()) GTEST_SKIP() << "the settings of this machine send the trace elsewhere";

    epostSift filter;
    filter.updateFilter("Lun,", "Lundi,");
    filter.updateFilter("[BODY]", "Voici.");
    filter.updateFilter("[BODY]", nullptr);
    filter.updateFilter("LUN,", nullptr);
    filter.updateFilter(nullptr, "x");

    EXPECT_EQ(trace.lines(), (lines{
                                 "epostSift::updateFilter(Lun,, Lundi,): updateFilter enter",
                                 "epostSift::updateFilter: No filter keys",
                                 "epostSift::updateFilter(Lun,, Lundi,): updateFilter exit",

                                 // A symbol: the exit lines are the symbol table's.
                                 "epostSift::updateFilter([BODY], Voici.): updateFilter enter",
                                 "epostSift::updateSymbolTable([BODY],Voici.) enter",
                                 "epostSift::updateSymbolTable: No entries",
                                 "epostSift::updateSymbolTable([BODY], Voici.) exit",

                                 "epostSift::updateFilter([BODY], (null)): updateFilter enter",
                                 "epostSift::updateSymbolTable([BODY],(null)) enter",
                                 "epostSift::updateSymbolTable([BODY], (null)) exit",
                                 "No symbols in the symbol table",

                                 "epostSift::updateFilter(LUN,, (null)): updateFilter enter",
                                 "epostSift::updateFilter(LUN,, (null)): updateFilter exit",
                                 "No filter keys",

                                 "epostSift::updateFilter((null), x): updateFilter enter",
                                 "epostSift::updateFilter: No filter keys",
                                 "epostSift::updateFilter((null), x): updateFilter exit",
                                 "No filter keys",
                             }));
}
