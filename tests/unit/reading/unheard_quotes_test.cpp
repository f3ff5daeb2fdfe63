// Quoted lines and earlier messages that nobody hears: their words are left
// out of the text, the marks and line ends stay, and so does whatever the
// scanner may read more in such a line.
#include <string>

#include "reading_fixture.h"

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
        // A return that ends no line goes to the scanner's output.
        {"Yes.\n> a\rb\n> c\n", "Yes.\n> a\rb\n> \n"},
    };
    expectReadBothWays(cases);
}

TEST_F(UnheardQuotes, AnEarlierMessageLosesItsWordsOnceItsSectionTakesTheRest) {
    const char* const cases[][2] = {
        // Its header lines, and the line whose text tells that the section
        // takes the rest, stay; so does a line that may go on with a header
        // item (blank-led), one led by a dash, a header line, a line with a
        // return inside, and the last line with no line end.
        {"Yes.\n-----Original Message-----\nFrom: Ann\nSent: today\n\nfirst line\nsecond line\n  indented\n"
         "- item\nTo: Bob\nthird line\nfou\rrth\nlast",
         "Yes.\n-----Original Message-----\nFrom: Ann\nSent: today\n\nfirst line\n\n  indented\n"
         "- item\nTo: Bob\n\nfou\rrth\nlast"},
        // Its text begins quoted: the section ends there, and what follows
        // the quote is heard.
        {"Yes.\n-----Original Message-----\nFrom: Ann\n\n> quoted\nmine again\nmore\n",
         "Yes.\n-----Original Message-----\nFrom: Ann\n\n> \nmine again\nmore\n"},
    };
    expectReadBothWays(cases);
}

TEST_F(UnheardQuotes, StayWholeWhenHeardOrWhileDiagnosticsAreOn) {
    const std::string message = "Yes.\n> one two\n-----Original Message-----\n\nfirst\nsecond\n";
    quotes->replaceValue("true");
    EXPECT_EQ(read(message), message);
    quotes->replaceValue("false");
    const diagnosticsOn on;
    EXPECT_EQ(read(message), message);
}
