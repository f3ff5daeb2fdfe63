#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "email_test_support.h"
#include "support/mutex_lock.h"
#include "recording_filter.h"
#include "support/trace_facility.h"

// The trace lines that scanning and parsing write, without their stamps.
using namespace postsift;
using lines = std::vector<std::string>;

namespace {

// A trace of its own for one test: "zel.dbg" in a fresh folder that is the
// current folder meanwhile, installed in place of the process's trace.
class scratchTrace {
public:
    scratchTrace() : previousFolder_(std::filesystem::current_path()) {
        const std::filesystem::path folder = previousFolder_ / "email_trace";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directory(folder);
        std::filesystem::current_path(folder);
        std::ofstream("zel.dbg").close();
        trace_.setUp();
        previousTrace_ = installTrace(&trace_);
    }
    ~scratchTrace() {
        installTrace(previousTrace_);
        std::filesystem::current_path(previousFolder_);
    }
    scratchTrace(const scratchTrace&) = delete;
    scratchTrace& operator=(const scratchTrace&) = delete;

    bool writesHere() const { return trace_.isEnabled() && std::string(trace_.path()) == "zel.dbg"; }

    // The lines written since the START line, each without its "%u %lu " stamp.
    lines written() const {
        lines result;
        std::ifstream file("zel.dbg");
        std::string line;
        std::getline(file, line);  // START
        while (std::getline(file, line)) {
            const std::size_t clock = line.find(' ');
            const std::size_t thread = clock == std::string::npos ? clock : line.find(' ', clock + 1);
            result.push_back(thread == std::string::npos ? "<no stamp> " + line : line.substr(thread + 1));
        }
        return result;
    }

private:
    std::filesystem::path previousFolder_;
    traceFacility trace_{logLock()};
    traceFacility* previousTrace_ = nullptr;
};

}  // namespace

TEST(EmailTraceLines, EveryConditionWritesItsOwnMessages) {
    scratchTrace trace;
    ASSERT_TRUE(trace.writesHere()) << "a trace file is configured in the registry";
    emailtest::scan(
        "From: Zavo <z@p>\n"
        "Subject: Hi!! -0100\n\tx\n"
        "\n"
        "a_b __**-- >> > *\n"
        "> q __**-- >> > * _\n"
        "> > To: <a@b> c\n"
        "> From: x.\n"
        "-----Message d'origine-----\n"
        "Date: 1.\n"
        "w __**-- >> > * _\n"
        "To: y\n"
        "Cc: z");
    EXPECT_EQ(trace.written(),
              (lines{
                  // The keyword goes to the log, not the trace; blanks in a
                  // header line write nothing.
                  "Header: found a word = Zavo",
                  "Header: found beginning of address??",
                  "Address: found id = z",
                  "Address: found end of id",
                  "Domain: found domain = p",
                  "Domain: found end of address",
                  "Header: line finished",
                  "Header: found a word = Hi",
                  "Header: found punctuation = !!",
                  "Header: found a non-linear whitespace!",
                  "Header: found a word = x",
                  "Header: line finished",
                  "insert pause here",
                  "found a word = a",
                  "found a single underscore",
                  "found a word = b",
                  "found whitespace = ' '",
                  "removing multiple underscores ",
                  "removing multiple asterisks",
                  "removing multiple dashes",
                  "found whitespace = ' '",
                  "removing multiple GTs ",
                  "found whitespace = ' '",
                  "found a single greater than",
                  "found whitespace = ' '",
                  "found a single asterisk",
                  "insert pause here",
                  "found beginning of forwarded text (INITIAL)",
                  " in forwarded text 'q'",
                  " in forwarded text ' '",
                  "FOR: removing multiple underscores",
                  "FOR: removing multiple asterisks",
                  "FOR: removing multiple dashes",
                  " in forwarded text ' '",
                  "eating extra '>' chars",
                  " in forwarded text ' '",
                  "FOR: found a single GT",
                  " in forwarded text ' '",
                  "FOR: found a single asterisk",
                  " in forwarded text ' '",
                  "FOR: found a single underscore",
                  " insert forwarded pause here",
                  "Found a forwarded key = > > To:",
                  "Forwarded Header: found beginning of address??",
                  "Address: found id = a",
                  "Address: found end of id",
                  "Domain: found domain = b",
                  "Domain: found end of address",
                  "Forwarded Header: found a word = c",
                  "Forwarded Header: line finished",
                  "Found a forwarded key = > From:",
                  "Forwarded Header: found a word = x",
                  "Forwarded Header: found punctuation = .",
                  "Forwarded Header: line finished",
                  " found french 'Original Message' section",
                  "ORI: insert forwarded pause here",
                  "Original message: found keyword = Date:",
                  "ORIGINAL_HEADER_SECTION: found a word = 1",
                  "ORIGINAL_HEADER_SECTION: found punctuation = .",
                  "ORIGINAL_HEADER_SECTION: line finished",
                  "ORI: in forwarded text 'w'",
                  "ORI: in forwarded text ' '",
                  "ORI: removing multiple underscores",
                  "ORI: removing multiple asterisks",
                  "ORI: removing multiple dashes",
                  "ORI: in forwarded text ' '",
                  "ORI: eating extra '>' chars",
                  "ORI: in forwarded text ' '",
                  "ORI: found a single GT",
                  "ORI: in forwarded text ' '",
                  "ORI: found a single asterisk",
                  "ORI: in forwarded text ' '",
                  "ORI: found a single underscore",
                  "ORI: insert forwarded pause here",
                  "Original message: found keyword = To:",
                  "ORIGINAL_HEADER_SECTION: found a word = y",
                  "ORIGINAL_HEADER_SECTION: line finished",
                  "Original message: found keyword = Cc:",
                  "ORIGINAL_HEADER_SECTION: found a word = z",
                  "ORIGINAL_HEADER_SECTION: EOF",
              }));
}

TEST(EmailTraceLines, FoldedAddressesAndTheEndsOfHeaderLines) {
    scratchTrace trace;
    ASSERT_TRUE(trace.writesHere()) << "a trace file is configured in the registry";
    emailtest::scan("To: <\n a@\n b>");
    emailtest::scan("> A: b");
    emailtest::scan("-----Original Message-----");
    EXPECT_EQ(trace.written(), (lines{
                                   "Header: found beginning of address??",
                                   "Address: found a non-linear whitespace!",
                                   "Address: found id = a",
                                   "Address: found end of id",
                                   "Domain: found a non-linear whitespace!",
                                   "Domain: found domain = b",
                                   "Domain: found end of address",
                                   "Header: EOF",
                                   "Found a forwarded key = > A:",
                                   "Forwarded Header: found a word = b",
                                   "Forwarded Header: EOF",
                                   " found 'Original Message' section",
                               }));
}

TEST(EmailTraceLines, ASyntaxErrorWritesOneLine) {
    scratchTrace trace;
    ASSERT_TRUE(trace.writesHere()) << "a trace file is configured in the registry";
    recordingFilter filter;
    EXPECT_STREQ(filter.parseEmailText("Hi\n> ", 5), "Hi\n");
    EXPECT_EQ(filter.parseEmailText(nullptr, 0), nullptr);
    EXPECT_EQ(trace.written(), (lines{"found a word = Hi", "insert pause here",
                                      "found beginning of forwarded text (INITIAL)", "parser error! syntax error"}));
}
