// Dates in the text said in words, and short day and month names said in
// full only where they stand in a date.
#include <string>

#include "language_builds.h"
#include "reading/pass/reading_output.h"
#include "reading/rules/dates_in_text.h"
#include "reading_fixture.h"

using namespace postsift;

TEST_F(ReadingPass, ShortNamesAreSaidInFullOnlyInADate) {
    rule("[SPEAK DATES]", "true");
    rule("Sat,", "Saturday,");
    rule("Mar", "March");
    rule("Dec", "December");
    rule("So,", "Sonntag,");
    symbol("[DATE]", "Date:");
    // A header field that the summary says: one that nothing says is copied as it stands.
    symbol("[SUBJECT]", "Subject:");
    EXPECT_EQ(read("Subject: Sat, Sun\nDate: Sat, 31 Feb 2002 10:00:00\n\n"
                   "Meet Sat, at 10. So, wie? el mar y DEC keyboard\r\n"
                   "So, 13. Jan and Sat, Mon and 3 Mar, Mar 2002, MAR 3\n> Sat, 13 Apr\n(7pm, Sat, ITV) 13! Sat, x\n"),
              "Subject: Saturday, Sun\nDate: Saturday, 31 Feb 2002 10:00:00\n\n"
              "Meet Sat, at 10. So, wie? el mar y DEC keyboard\r\n"
              "Sonntag, 13. Jan and Saturday, Mon and 3 Mar, March 2002, March 3\n> Saturday, 13 Apr\n"
              "(7pm, Saturday, ITV) 13! Sat, x\n");
}

namespace {

// The line said by a build's words, as the pass would write it.
std::string said(const std::string& line, const dateWords& words) {
    ownedText text;
    if (!text.assign("", 0)) return "<no memory>";
    readingOutput out(text);
    out.put("before\n");
    const std::size_t from = out.length();
    out.put(line.c_str());
    sayDatesInText(out, from, words);
    return std::string(text.get() + from, text.length() - from);
}

}  // namespace

TEST(DatesInText, AreSaidWhereTheyStandInTheBuildsOrder) {
    EXPECT_EQ(said("On 2002-12-25, 07/13/2001 and 05/06/2001.\r\n", englishBuild.dates),
              "On Wednesday, December 25, 2002, Friday, July 13, 2001 and Sunday, May 6, 2001.\r\n");
    EXPECT_EQ(said("Am 05/06/2001 (Tue Sep  3 10:00:00 2002) um", germanBuild.dates),
              "Am Dienstag, 5. Juni 2001 (Dienstag, 3. September 2002 um 10:00 Uhr) um");
    EXPECT_EQ(said("le 13.07.2001 \xe0 9:05\n", frenchBuild.dates), "le vendredi 13 juillet 2001 \xe0 9 h 05\n");
}

// The year is found at the line's start or end, and after or before runs
// of digits too long to be one.
TEST(DatesInText, AYearIsFoundWhereverItsDigitsStand) {
    EXPECT_EQ(said("2002-12-25 at 12345678\n", englishBuild.dates), "Wednesday, December 25, 2002 at 12345678\n");
    EXPECT_EQ(said("ref 123456 on 12/25/2002", englishBuild.dates), "ref 123456 on Wednesday, December 25, 2002");
}

TEST(DatesInText, NoneInsideALongerWordOrWithoutItsYear) {
    const std::string line = "v2002-12-25 /2002-12-25/ 2002-12-25-backup 2002-12-25.tar 1/2/03 3 Sep 02 Sep 3\n";
    EXPECT_EQ(said(line, englishBuild.dates), line);
}

TEST_F(ReadingPass, AFoldedDateStaysButNotLinesFoldedUnderAWholeOne) {
    rule("[SPEAK DATES]", "true");
    symbol("[DATE]", "Date:");
    // The zone in the folded line is the date's; "version=2.40" is not.
    const std::string folded = "Date: Thu, 18 Jul 2002 21:16:12\r\n +0200\r\nSubject: x\r\n\r\n";
    EXPECT_EQ(read(folded), folded);
    const std::string said = read("Date: Thu, 18 Jul 2002 21:16:12\r\n    version=2.40\r\nSubject: x\r\n\r\n");
    EXPECT_EQ(said.find("Date: Thu,"), std::string::npos) << said;
    EXPECT_NE(said.find("\r\n    version=2.40\r\nSubject: x\r\n"), std::string::npos) << said;
}
