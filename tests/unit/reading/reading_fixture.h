#pragma once
// The reading pass, text in and text out, on a bare filter whose options
// and symbols each test sets: the fixture of the reading rules' tests.
#include <string>

#include "filter_fixture.h"
#include "reading/pass/reading_pass.h"

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
};

}  // namespace postsift
