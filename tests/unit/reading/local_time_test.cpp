// Dates with a zone said in the computer's local time, under two fixed
// zones: Central European and North American Eastern time with their
// summer times. A second program runs in each, since under Windows a
// process's zone is fixed when it starts; TZ sets it on Linux and under
// wine alike. POSIX rules need no zone database, and apply the same rule
// every year on both systems.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/child_process.h"
#include "platform/plugin_library.h"

using namespace postsift;

namespace {

// Header dates, one a line: each says one thing about the conversion.
const char* const dates =
    "Mon, 13 Jan 2003 10:00:00 +0100\n"   // winter
    "Tue, 1 Jul 2003 00:30:00 +0200\n"    // summer; a day back in America
    "Sun, 29 Mar 2015 00:59 +0000\n"      // the last minute of Europe's winter time
    "Sun, 29 Mar 2015 01:00 +0000\n"      // the first of its summer time
    "Sun, 8 Mar 2015 06:59 +0000\n"       // the same in America
    "Sun, 8 Mar 2015 07:00 +0000\n"
    "Wed, 31 Dec 2014 23:30:00 PST\n"     // a named zone, into the next year
    "Thu, 29 Feb 2024 23:30 -0100\n"      // across a leap day
    "Mon, 13 Jan 2003 10:00 +0530\n"      // a half-hour zone
    "Fri, 1 Jan 2100 12:00:00 +0000\n"    // past what 32 bits of seconds count
    "vendredi 23 janvier 2015 16:39\n"    // no zone: as written
    "Tue, 13 Jan 2003 10:00:00 +0100\n";  // the wrong day: not a date

std::string saidIn(const std::string& zone) {
    const std::vector<std::string> command{platform::pluginLibrary::programFolder() + READING_ZONE_CHILD};
    platform::childRun run;
    std::string error;
    EXPECT_EQ(platform::runChild(command, dates, {"TZ=" + zone}, run, error), platform::childStart::started) << error;
    EXPECT_EQ(run.status, 0) << run.errors;
    // Windows text mode writes line ends as CR LF.
    run.output.erase(std::remove(run.output.begin(), run.output.end(), '\r'), run.output.end());
    return run.output;
}

}  // namespace

TEST(LocalTime, CentralEuropeanTime) {
    EXPECT_EQ(saidIn("CET-1CEST,M3.5.0,M10.5.0/3"),
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
              "= Tue, 13 Jan 2003 10:00:00 +0100\n");
}

TEST(LocalTime, EasternTime) {
    EXPECT_EQ(saidIn("EST5EDT,M3.2.0,M11.1.0"),
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
              "= Tue, 13 Jan 2003 10:00:00 +0100\n");
}
