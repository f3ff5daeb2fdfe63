// Dates said in each language's words. The English words are the table a
// later English build would bring; the pattern must be able to say it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "language_builds.h"
#include "reading/dates/date_speaking.h"

using namespace postsift;

namespace {

dateTime at(int year, int month, int day, int hour, int minute) {
    dateTime date;
    date.year = year;
    date.month = month;
    date.day = day;
    date.hasTime = true;
    date.hour = hour;
    date.minute = minute;
    return date;
}

dateTime dayOnly(int year, int month, int day) {
    dateTime date = at(year, month, day, 0, 0);
    date.hasTime = false;
    return date;
}

std::string say(const dateTime& date, const dateWords& words) {
    std::string spoken;
    speakDate(date, words, spoken);
    return spoken;
}

}  // namespace

TEST(DateSpeaking, FrenchSaysTheMinutesOnlyWhenThereAreAny) {
    EXPECT_EQ(say(at(2003, 1, 13, 10, 0), frenchBuild.dates), "lundi 13 janvier 2003 \xe0 10 h");
    EXPECT_EQ(say(at(2003, 1, 13, 10, 5), frenchBuild.dates), "lundi 13 janvier 2003 \xe0 10 h 05");
    EXPECT_EQ(say(at(2015, 1, 1, 0, 30), frenchBuild.dates), "jeudi 1er janvier 2015 \xe0 0 h 30");
    EXPECT_EQ(say(at(2014, 12, 3, 18, 30), frenchBuild.dates), "mercredi 3 d\xe9" "cembre 2014 \xe0 18 h 30");
    EXPECT_EQ(say(at(2015, 8, 15, 9, 0), frenchBuild.dates), "samedi 15 ao\xfbt 2015 \xe0 9 h");
    EXPECT_EQ(say(dayOnly(2024, 2, 29), frenchBuild.dates), "jeudi 29 f\xe9vrier 2024");
}

TEST(DateSpeaking, GermanSaysEveryTimeWithItsMinutes) {
    EXPECT_EQ(say(at(2003, 1, 13, 10, 5), germanBuild.dates), "Montag, 13. Januar 2003 um 10:05 Uhr");
    EXPECT_EQ(say(at(2003, 1, 13, 10, 0), germanBuild.dates), "Montag, 13. Januar 2003 um 10:00 Uhr");
    EXPECT_EQ(say(at(2015, 3, 1, 23, 59), germanBuild.dates), "Sonntag, 1. M\xe4rz 2015 um 23:59 Uhr");
    EXPECT_EQ(say(dayOnly(2000, 1, 1), germanBuild.dates), "Samstag, 1. Januar 2000");
}

TEST(DateSpeaking, EnglishSaysTheTwelveHourClock) {
    const dateWords& english = englishBuild.dates;
    EXPECT_EQ(say(at(2003, 1, 13, 10, 5), english), "Monday, January 13, 2003 at 10:05 AM");
    EXPECT_EQ(say(at(2003, 1, 13, 0, 0), english), "Monday, January 13, 2003 at 12 AM");
    EXPECT_EQ(say(at(2003, 1, 13, 12, 30), english), "Monday, January 13, 2003 at 12:30 PM");
    EXPECT_EQ(say(at(2003, 1, 13, 13, 0), english), "Monday, January 13, 2003 at 1 PM");
    EXPECT_EQ(say(at(1999, 12, 31, 23, 59), english), "Friday, December 31, 1999 at 11:59 PM");
    EXPECT_EQ(say(dayOnly(2024, 2, 1), english), "Thursday, February 1, 2024");
}

TEST(DateSpeaking, UnknownCodesAndAStrayPercentStayAsWritten) {
    dateWords words = englishBuild.dates;
    words.withTime = "%% %Q %Y%";
    EXPECT_EQ(say(at(2003, 1, 13, 10, 5), words), "% %Q 2003%");
}

TEST(DateSpeaking, ATextIsReadAndSaidOrLeftToTheCaller) {
    // Without a zone a date is said as written, wherever the computer is;
    // the day's name comes from the date, the text's own is only checked.
    const char* friday = "vendredi 23 janvier 2015 16:39";
    const char* english = "Fri, Jan 23, 2015 at 4:39 PM";
    std::string spoken = "am ";
    EXPECT_TRUE(speakDateText(friday, std::strlen(friday), germanBuild.dates, spoken));
    EXPECT_EQ(spoken, "am Freitag, 23. Januar 2015 um 16:39 Uhr");
    spoken = "du ";
    EXPECT_TRUE(speakDateText(english, std::strlen(english), frenchBuild.dates, spoken));
    EXPECT_EQ(spoken, "du vendredi 23 janvier 2015 \xe0 16 h 39");
    for (const char* bad : {"Sat, 23 Jan 2015 16:39", "23 Jan 2015 25:00", "23 Jan 2015 16:39 as said"}) {
        spoken = "du ";
        EXPECT_FALSE(speakDateText(bad, std::strlen(bad), frenchBuild.dates, spoken)) << bad;
        EXPECT_EQ(spoken, "du ");
    }
}
