// Fields of the leading header that the scanner keeps nothing of: left out
// of the text where another field follows them, kept wherever leaving them
// out could change how the scanner reads what follows.
#include <string>

#include "reading_fixture.h"

using namespace postsift;

namespace {

class HeaderFields : public ReadingPass {
protected:
    void SetUp() override {
        rule("[SPEAK LINKS]", "true");
        // The one keyword the scanner keeps something of.
        rule("Subject:", "The subject: %s");
    }
};

}  // namespace

TEST_F(HeaderFields, GoWhereAnotherFieldFollowsAndStayWhereTheReadingWouldChange) {
    const char* const cases[][2] = {
        // Folded lines go with their field; the last field before the text
        // stays, and so the header block keeps its end.
        {"Received: from a\n\tby b\nX-Mailer: m\nSubject: s\nX-Last: z\n\nHi\n", "Subject: s\nX-Last: z\n\nHi\n"},
        {"X-A: 1\nX-B: 2\n", "X-B: 2\n"},
        // A mangled quoted line or a text line goes on after the same field.
        {"X-A: 1\n>From x\nSubject: s\n\nHi\n", "X-A: 1\n>From x\nSubject: s\n\nHi\n"},
        {"X-A: 1\nHello\n", "X-A: 1\nHello\n"},
        // A field that names a MIME boundary is the scanner's to read.
        {"X-A: a;\n boundary=\"b1\"\nSubject: s\n\n--b1\n", "X-A: a;\n boundary=\"b1\"\nSubject: s\n\n--b1\n"},
        // A name the scanner takes for a keyword, though the line goes on
        // right after its colon, begins an item of its own.
        {"X-A: 1\nFoo:bar\nSubject: s\n\n", "Foo:bar\nSubject: s\n\n"},
        // Only the header at the top: header lines in the body stay.
        {"Subject: s\n\nX-A: 1\nX-B: 2\n", "Subject: s\n\nX-A: 1\nX-B: 2\n"},
    };
    expectReadBothWays(cases);
}

TEST_F(HeaderFields, AllStayWhileDiagnosticsAreOn) {
    // The log then names every item the scanner reads.
    const diagnosticsOn on;
    const std::string message = "Received: from a\n\tby b\nX-Mailer: m\nSubject: s\n\nHi\n";
    EXPECT_EQ(read(message), message);
}
