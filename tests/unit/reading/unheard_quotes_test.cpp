// Quoted lines that nobody hears: their words are left out of the text, the
// marks and line ends stay, and so does whatever the scanner may read more
// in a quoted line.
#include <string>

#include "reading_fixture.h"
#include "support/log.h"

using namespace postsift;

namespace {

class UnheardQuotes : public ReadingPass {
protected:
    void SetUp() override {
        rule("[DROP SIGNATURE]", "true");
        quotes = rule("[INCLUDE FORWARDED TEXT]", "false");
    }

    filterEntry* quotes = nullptr;
};

}  // namespace

TEST_F(UnheardQuotes, KeepTheirMarksAndWhatTheScannerReadsInThem) {
    const char* const cases[][2] = {
        // Every depth keeps its marks and the blanks among them.
        {"Yes.\n> one two\n> > deeper one\n>\n> \nNo.\n", "Yes.\n> \n> > \n>\n> \nNo.\n"},
        // A keyword after the marks may begin a quoted header; a colon
        // elsewhere is a word's. A separator opens a block of header lines
        // under it, quoted or not.
        {"> Note: a\n> see a:b\n", "> Note: a\n> \n"},
        {"> -----Original Message-----\n> ---------- Forwarded message ---------\nSent: today\n",
         "> -----Original Message-----\n> ---------- Forwarded message ---------\nSent: today\n"},
        // The last line, with no line end after it.
        {"Yes.\n> last", "Yes.\n> last"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read(c[0]), c[1]) << c[0];
        EXPECT_EQ(read(withCrLf(c[0])), withCrLf(c[1])) << c[0];
    }
}

TEST_F(UnheardQuotes, StayWholeWhenHeardOrWhileDiagnosticsAreOn) {
    const std::string message = "Yes.\n> one two\n";
    quotes->replaceValue("true");
    EXPECT_EQ(read(message), message);
    quotes->replaceValue("false");
    struct levelKept {
        int level = maxLevel;
        ~levelKept() { maxLevel = level; }
    } kept;
    maxLevel = 3;
    EXPECT_EQ(read(message), message);
}
