// Dates with a zone said in the computer's local time. The two zones come
// from TZ, which CMake sets for the runs named unit_reading_central_europe
// and unit_reading_eastern, the only runs of this test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "language_builds.h"
#include "reading/dates/date_speaking.h"

using namespace postsift;

namespace {

// Header dates: each says one thing about the conversion.
const char* const dates[] = {
    "Mon, 13 Jan 2003 10:00:00 +0100",  // winter
    "Tue, 1 Jul 2003 00:30:00 +0200",   // summer; a day back in America
    "Sun, 29 Mar 2015 00:59 +0000",     // the last minute of Europe's winter time
    "Sun, 29 Mar 2015 01:00 +0000",     // the first of its summer time
    "Sun, 8 Mar 2015 06:59 +0000",      // the same in America
    "Sun, 8 Mar 2015 07:00 +0000",
    "Wed, 31 Dec 2014 23:30:00 PST",    // a named zone, into the next year
    "Thu, 29 Feb 2024 23:30 -0100",     // across a leap day
    "Mon, 13 Jan 2003 10:00 +0530",     // a half-hour zone
    "Fri, 1 Jan 2100 12:00:00 +0000",   // past what 32 bits of seconds count
    "vendredi 23 janvier 2015 16:39",   // no zone: as written
    "Tue, 13 Jan 2003 10:00:00 +0100",  // the wrong day: no date
};

struct zoneExpectation {
    const char* rule;
    const char* said;
};

const zoneExpectation zones[] = {
    {"CET-1CEST,M3.5.0,M10.5.0/3",
     "lundi 13 janvier 2003 \xe0 10 h\n"
     "mardi 1er juillet 2003 \xe0 0 h 30\n"
     "dimanche 29 mars 2015 \xe0 1 h 59\n"
     "dimanche 29 mars 2015 \xe0 3 h\n"
     "dimanche 8 mars 2015 \xe0 7 h 59\n"
     "dimanche 8 mars 2015 \xe0 8 h\n"
     "jeudi 1er janvier 2015 \xe0 8 h 30\n"
     "vendredi 1er mars 2024 \xe0 1 h 30\n"
     "lundi 13 janvier 2003 \xe0 5 h 30\n"
     "vendredi 1er janvier 2100 \xe0 13 h\n"
     "vendredi 23 janvier 2015 \xe0 16 h 39\n"
     "= Tue, 13 Jan 2003 10:00:00 +0100\n"},
    {"EST5EDT,M3.2.0,M11.1.0",
     "lundi 13 janvier 2003 \xe0 4 h\n"
     "lundi 30 juin 2003 \xe0 18 h 30\n"
     "samedi 28 mars 2015 \xe0 20 h 59\n"
     "samedi 28 mars 2015 \xe0 21 h\n"
     "dimanche 8 mars 2015 \xe0 1 h 59\n"
     "dimanche 8 mars 2015 \xe0 3 h\n"
     "jeudi 1er janvier 2015 \xe0 2 h 30\n"
     "jeudi 29 f\xe9vrier 2024 \xe0 19 h 30\n"
     "dimanche 12 janvier 2003 \xe0 23 h 30\n"
     "vendredi 1er janvier 2100 \xe0 7 h\n"
     "vendredi 23 janvier 2015 \xe0 16 h 39\n"
     "= Tue, 13 Jan 2003 10:00:00 +0100\n"},
};

}  // namespace

TEST(LocalTime, DatesAreSaidInTheZoneOfTheComputer) {
    const char* zone = std::getenv("TZ");
    const zoneExpectation* expected = nullptr;
    for (const zoneExpectation& candidate : zones)
        if (zone != nullptr && std::string(zone) == candidate.rule) expected = &candidate;
    ASSERT_NE(expected, nullptr) << "TZ names none of the test's zones: " << (zone != nullptr ? zone : "(unset)");

    std::string said;
    for (const char* date : dates) {
        std::string spoken;
        if (!speakDateText(date, std::strlen(date), frenchBuild.dates, spoken)) spoken = std::string("= ") + date;
        said += spoken + "\n";
    }
    EXPECT_EQ(said, expected->said);
}

#ifndef _WIN32
// Only POSIX reads TZ while a program runs. A zone set while the program
// runs is the one its next date is said in, however quickly it follows.
TEST(LocalTime, AZoneSetWhileRunningIsUsedAtOnce) {
    const std::string started = std::getenv("TZ") != nullptr ? std::getenv("TZ") : "";
    const char* winter = dates[0];
    for (int round = 0; round < 2; ++round)
        for (const zoneExpectation& zone : zones) {
            ASSERT_EQ(setenv("TZ", zone.rule, 1), 0);
            std::string spoken;
            ASSERT_TRUE(speakDateText(winter, std::strlen(winter), frenchBuild.dates, spoken));
            const std::string said = zone.said;
            EXPECT_EQ(spoken, said.substr(0, said.find('\n'))) << zone.rule;
        }
    setenv("TZ", started.c_str(), 1);
}
#endif
