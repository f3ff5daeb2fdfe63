#pragma once
// The reading pass, text in and text out, on a bare filter whose options
// and symbols each test sets: the fixture of the reading rules' tests.
#include <cstddef>
#include <string>

#include "filter_fixture.h"
#include "reading/pass/reading_pass.h"
#include "support/log.h"

namespace postsift {

class ReadingPass : public filterFixture {
protected:
    // The rewritten text, or "<as it came>" when the pass did not run.
    std::string read(const std::string& message) {
        ownedText out;
        if (!rewriteForReading(filter, message.c_str(), message.size(), out)) return "<as it came>";
        return std::string(out.get(), out.length());
    }

    // The same text with each LF written CR LF, as Windows engines hand it.
    static std::string withCrLf(const std::string& text) {
        std::string out;
        for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return out;
    }

    // Each message of `cases` ({message, rewritten text}) reads as its text,
    // with LF line ends and with CR LF.
    template <std::size_t n>
    void expectReadBothWays(const char* const (&cases)[n][2]) {
        for (const auto& c : cases) {
            EXPECT_EQ(read(c[0]), c[1]) << c[0];
            EXPECT_EQ(read(withCrLf(c[0])), withCrLf(c[1])) << c[0];
        }
    }

    // Diagnostics on while it lasts, as a log level of 3 turns them on.
    struct diagnosticsOn {
        int level = maxLevel;
        diagnosticsOn() { maxLevel = 3; }
        ~diagnosticsOn() { maxLevel = level; }
    };
};

}  // namespace postsift
