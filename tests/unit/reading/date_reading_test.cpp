// Dates as mail writes them, read into their parts, and the texts that must
// not pass for a date. Every text is copied into a buffer of its own exact
// size, so that a read past its end shows under the sanitizers.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "reading/dates/date_reading.h"

using namespace postsift;

namespace {

// "2003-01-13 10:00:00 +60" (zone in minutes east), or "fails".
std::string readAs(const std::string& text) {
    const std::vector<char> exact(text.begin(), text.end());
    dateTime date;
    if (!readDate(exact.data(), exact.size(), date)) return "fails";
    char parts[64];
    std::snprintf(parts, sizeof parts, "%04d-%02d-%02d %02d:%02d:%02d", date.year, date.month, date.day, date.hour,
                  date.minute, date.second);
    std::string read = parts;
    if (date.hasZone) read += (date.zoneMinutes < 0 ? " " : " +") + std::to_string(date.zoneMinutes);
    return read;
}

struct example {
    const char* text;
    const char* read;
};

void expectReadings(const std::vector<example>& examples) {
    for (const example& e : examples) EXPECT_EQ(readAs(e.text), e.read) << e.text;
}

}  // namespace

TEST(DateReading, HeaderDatesWithTheirZones) {
    expectReadings({
        {"Mon, 13 Jan 2003 10:00:00 +0100", "2003-01-13 10:00:00 +60"},
        {"13 Jan 2003 10:00 -0500", "2003-01-13 10:00:00 -300"},
        {"Thu, 13 Feb 1969 23:32:54 -0330", "1969-02-13 23:32:54 -210"},
        {"  Tue, 1 Jul 2003 10:52:37 +0200 (CEST)  ", "2003-07-01 10:52:37 +120"},
        {"Tue, 1 Jul 2003 10:52:37 +0200 (a (nested \\) one))", "2003-07-01 10:52:37 +120"},
        {"Mon,\r\n 13 Jan\r\n\t2003\r\n 10:00:00\r\n +0100", "2003-01-13 10:00:00 +60"},
        {"13 Jan 2003 10:00:60 -0000", "2003-01-13 10:00:60 +0"},
        // Obsolete years and named zones (the random round trip has them all).
        {"Fri, 21 Nov 97 09:55:06 GMT", "1997-11-21 09:55:06 +0"},
        {"13 Jan 03 10:00 UT", "2003-01-13 10:00:00 +0"},
        {"13 Jan 49 10:00 utc", "2049-01-13 10:00:00 +0"},
        {"13 Jan 50 10:00 Z", "1950-01-13 10:00:00 +0"},
        {"13 Jan 103 10:00 EST", "2003-01-13 10:00:00 -300"},
        {"13 Jan 2003 10:00 pdt", "2003-01-13 10:00:00 -420"},
        // Cut before its zone, a header date is a date in no known zone.
        {"Mon, 13 Jan 2003 10:00:00", "2003-01-13 10:00:00"},
    });
}

TEST(DateReading, WhatMailProgramsWriteAboveAQuotedMessage) {
    expectReadings({
        {"Friday, January 23, 2015 4:39 PM", "2015-01-23 16:39:00"},
        {"Fri, Jan 23, 2015 at 4:39 PM", "2015-01-23 16:39:00"},
        {"January 23, 2015, 12:05 a.m.", "2015-01-23 00:05:00"},
        {"January 23, 2015 12:05 PM", "2015-01-23 12:05:00"},
        {"Mar 23, 2015 4:39:10 pm", "2015-03-23 16:39:10"},
        {"vendredi 23 janvier 2015 16:39", "2015-01-23 16:39:00"},
        {"ven. 23 janv. 2015 \xe0 16:39", "2015-01-23 16:39:00"},
        {"mar. 24 mars 2015 a 10:00", "2015-03-24 10:00:00"},
        {"jeudi 1er janvier 2015 08:00", "2015-01-01 08:00:00"},
        {"lun. 2 f\xe9vr. 2015 9:00", "2015-02-02 09:00:00"},
        {"mer. 3 d\xe9" "c. 2014 18:30", "2014-12-03 18:30:00"},
        {"15 ao\xfbt 2015 10:00", "2015-08-15 10:00:00"},
        {"2 FEVRIER 2015 10:00", "2015-02-02 10:00:00"},
        {"Freitag, 23. Januar 2015 16:39", "2015-01-23 16:39:00"},
        {"Fr., 23. Jan. 2015 um 16:39 Uhr", "2015-01-23 16:39:00"},
        {"Mo., 2. M\xe4rz 2015 10:00", "2015-03-02 10:00:00"},
        {"2. M\xe4r 2015 10:00", "2015-03-02 10:00:00"},
        {"2 MAERZ 2015 10:00", "2015-03-02 10:00:00"},
        {"23.01.15 16:39:05", "2015-01-23 16:39:05"},
        {"2015-01-23T16:39:05Z", "2015-01-23 16:39:05 +0"},
        {"23/01/2015 16:39", "2015-01-23 16:39:00"},
        {"23-01-2015 \xe0 16:39", "2015-01-23 16:39:00"},
        {"Freitag, 23.01.2015 16:39", "2015-01-23 16:39:00"},
    });
}

TEST(DateReading, NumbersAreDayFirstUnlessTheTextIsEnglish) {
    expectReadings({
        {"03/04/2015 10:00", "2015-04-03 10:00:00"},
        {"03/04/2015 10:00 AM", "2015-03-04 10:00:00"},
        {"Wednesday, 03/04/2015 10:00", "2015-03-04 10:00:00"},
        {"01/23/2015 4:39 PM", "2015-01-23 16:39:00"},
        // No swapping to make a date fit.
        {"23/01/2015 4:39 PM", "fails"},
        {"01/23/2015 16:39", "fails"},
        {"03.04.2015 10:00 AM", "2015-04-03 10:00:00"},
    });
}

TEST(DateReading, WhatFaultyMailProgramsWriteIsReadAsAPersonReadsIt) {
    expectReadings({
        // Years since 1900, four wide or three.
        {"Tue, 12 Nov 0102 07:41:09 +0100", "2002-11-12 07:41:09 +60"},
        {"Fri, 01 Jan 0099 00:00:00 GMT", "1999-01-01 00:00:00 +0"},
        // Times without padding, when the seconds are there.
        {"Wed, 3 Jul 2002 9:7:5 -0400", "2002-07-03 09:07:05 -240"},
        {"Wed, 3 Jul 2002 16:45:8 -0400", "2002-07-03 16:45:08 -240"},
        // Zones: a sign twice, no sign, an offset after GMT or UTC.
        {"Fri, 5 Jul 2002 14:20:33 +-0330", "2002-07-05 14:20:33 -210"},
        {"Sat, 6 Jul 2002 14:20:33 0930", "2002-07-06 14:20:33 +570"},
        {"Sun, 7 Jul 2002 14:20:33 GMT+2", "2002-07-07 14:20:33 +120"},
        {"7 Jul 2002 14:20:33 UTC-03:30", "2002-07-07 14:20:33 -210"},
        {"7 Jul 2002 14:20:33 gmt-0800", "2002-07-07 14:20:33 -480"},
        {"7 Jul 2002 14:20 GMT+11", "2002-07-07 14:20:00 +660"},
        // Windows names, standard and daylight, in any case and folded.
        {"Jeudi, 14 Nov 02 18:05:44 Romance Standard Time", "2002-11-14 18:05:44 +60"},
        {"7 Jul 102 14:20:33 W. Europe Daylight Time", "2002-07-07 14:20:33 +120"},
        {"7 Jul 02 14:20:33 aus  eastern\r\n standard TIME", "2002-07-07 14:20:33 +600"},
        {"7 Jul 02 14:20:33 GMT Daylight Time", "2002-07-07 14:20:33 +60"},
        {"7 Jul 02 14:20:33 Central Europe Standard Time", "2002-07-07 14:20:33 +60"},
        {"7 Jul 02 14:20:33 Central Daylight Time", "2002-07-07 14:20:33 -300"},
        {"7 Jul 02 14:20:33 Mid-Atlantic Standard Time", "2002-07-07 14:20:33 -120"},
        // Comments after the zone, one or more.
        {"7 Jul 02 14:20:33 Newfoundland Daylight Time (Canada)", "2002-07-07 14:20:33 -150"},
        {"Mon, 8 Jul 2002 14:20:33 +0200 (CEST) (via relay)", "2002-07-08 14:20:33 +120"},
    });
    // Still no dates: a wrong day name or day, a time or zone cut short or
    // out of range, a sign that says nothing, a name that is no zone.
    for (const char* text : {
             "Mon, 12 Nov 0102 07:41:09 +0100", "31 Nov 0102 07:41:09 +0100", "12 Nov 00102 10:00 +0100",
             "12 Nov 2002 10:00:0 +0100", "12 Nov 2002 10:5 +0100", "12 Nov 2002 01:5:13 +0100",
             "12 Nov 2002 1:05:3 +0100", "12 Nov 2002 10:00 -+0500", "12 Nov 2002 10:00 ++0500",
             "12 Nov 2002 10:00 +-05", "12 Nov 2002 10:00 053", "12 Nov 2002 10:00 2400", "12 Nov 2002 10:00 GMT+",
             "12 Nov 2002 10:00 GMT+24", "12 Nov 2002 10:00 GMT+130", "12 Nov 2002 10:00 GMT+1:5",
             "12 Nov 2002 10:00 GMT +1", "12 Nov 2002 10:00 EST+1", "12 Nov 2002 10:00 Pacific Standard",
             "12 Nov 2002 10:00 Pacific Time", "12 Nov 2002 10:00 Atlantis Standard Time",
             "12 Nov 2002 10:00 Pacific Standard Timezone", "12 Nov 2002 10:00 +0100 (CET) (",
         })
        EXPECT_EQ(readAs(text), "fails") << text;
}

TEST(DateReading, LongRunsInsideAZoneAreReadInLinearTime) {
    // Each name of the zone table passing over the blanks again, or each
    // comment scanning to the end, would take minutes here.
    const std::string blanks(1 << 20, ' ');
    std::string comments;
    for (int i = 0; i < (1 << 17); ++i) comments += " (a)";
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(readAs("13 Jan 2003 10:00 Central" + blanks + "Europe Standard Time" + comments),
              "2003-01-13 10:00:00 +60");
    EXPECT_EQ(readAs("13 Jan 2003 10:00 Central" + blanks + "Atlantis Standard Time"), "fails");
    EXPECT_EQ(readAs("13 Jan 2003 10:00 +0100" + comments + " (" + comments), "fails");
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(3));
}

TEST(DateReading, IncompleteImpossibleOrOverlongDatesFail) {
    for (const char* text : {
             "", "   ", "Mon, 13 Jan 2003", "Mon, 13 Jan 2003 10:", "Mon, 13 Jan", "13 Jan 2003 1000",
             "Mon, 32 Jan 2003 10:00:00 +0100", "13 Foo 2003 10:00", "13/13/2003 10:00", "00/01/2003 10:00",
             "30 Feb 2004 10:00", "29 Feb 2003 10:00", "13 Jan 2003 24:00", "13 Jan 2003 10:60",
             "13 Jan 2003 13:00 PM", "13 Jan 2003 0:30 AM", "13 Jan 2003 10:00 +9999", "13 Jan 2003 10:00 +01",
             "13 Jan 2003 10:00 +01000", "13 Jan 99999 10:00", "13 Jan 2003 10:0", "13 Jan 2003 foo 10:00",
             "Tue, 13 Jan 2003 10:00 +0100", "Mon 13 janvier 2003 10:00 EST hello", "13 Jan 2003 10:00 +0100x",
             "13 Jan 2003 10:00 +0100 (CET", "23.01.2015 16:39 extra", "2015-1-2015 10:00", "123.01.2015 10:00",
             "13 Jan 2003 10:00 AM PM", "Monday, 13 January 2003",
         })
        EXPECT_EQ(readAs(text), "fails") << text;
}

TEST(DateReading, AtTheStartOfATextTheDateSaysWhereItEnds) {
    const std::string text = "Mon, 13 Jan 2003 10:00:00 +0100 hello";
    dateTime date;
    EXPECT_EQ(readDateAt(text.data(), text.size(), date), 31u);
    // Cut inside the zone: the date ends after its time, in no zone.
    EXPECT_EQ(readDateAt(text.data(), 29, date), 25u);
    EXPECT_FALSE(date.hasZone);
    EXPECT_EQ(readDateAt(text.data(), 24, date), 0u);
}

TEST(DateReading, CProgramsWriteTheTimeBeforeTheYear) {
    expectReadings({
        {"Tue Sep  3 10:00:00 2002", "2002-09-03 10:00:00"},
        {"Wed Aug 21 11:37:32 2002 -0500", "2002-08-21 11:37:32 -300"},
        {"Sep 3 9:05 2002", "2002-09-03 09:05:00"},
        {"Tue Sep 3 10:00:00", "fails"},
        {"Wed Sep 3 10:00:00 2002", "fails"},
    });
}

namespace {

// "2001-07-13 (10)", with the time when there is one, and how many bytes
// the date took; or "fails".
std::string readInText(const std::string& text, bool monthFirst) {
    const std::vector<char> exact(text.begin(), text.end());
    dateTime date;
    const std::size_t used = readDateInText(exact.data(), exact.size(), monthFirst, date);
    if (used == 0) return "fails";
    char parts[64];
    std::snprintf(parts, sizeof parts, "%04d-%02d-%02d", date.year, date.month, date.day);
    std::string read = parts;
    if (date.hasTime) {
        std::snprintf(parts, sizeof parts, " %02d:%02d", date.hour, date.minute);
        read += parts;
    }
    return read + " (" + std::to_string(used) + ")";
}

}  // namespace

TEST(DateReading, InTextTheTimeMayBeMissingAndNumbersFollowTheLanguage) {
    struct inText {
        const char* text;
        bool monthFirst;
        const char* read;
    };
    const inText examples[] = {
        {"2002-12-25, then", false, "2002-12-25 (10)"},
        {"2002-12-25 16:39 then", true, "2002-12-25 16:39 (16)"},
        // A number above 12 says which is the day, whatever the language.
        {"07/13/2001.", false, "2001-07-13 (10)"},
        {"13/07/2001", true, "2001-07-13 (10)"},
        {"05/06/2001", true, "2001-05-06 (10)"},
        {"05/06/2001", false, "2001-06-05 (10)"},
        {"05-06-2001 10:00", true, "2001-05-06 10:00 (16)"},
        // Dots are a day first, as German writes them.
        {"05.06.2001", true, "2001-06-05 (10)"},
        {"Tue Sep  3 10:00:00 2002 rest", false, "2002-09-03 10:00 (24)"},
        {"Thu Aug 1 2002\"), and", true, "2002-08-01 (14)"},
        {"13 January 2003 at noon", true, "2003-01-13 (15)"},
        {"Freitag, 23. Januar 2015 um 16:39 Uhr.", false, "2015-01-23 16:39 (37)"},
        {"Mon, 13 Jan 2003 10:00:00 +0100 (CET)", false, "2003-01-13 10:00 (31)"},
        // No year of four digits, an impossible time, or no date.
        {"2002-12-25 99:00", false, "fails"},
        {"5 May 20 people", false, "fails"},
        {"1/2/03", true, "fails"},
        {"3 Sep 02", true, "fails"},
        {"13/13/2001", false, "fails"},
        {"Tue Sep 3", false, "fails"},
    };
    for (const inText& e : examples) EXPECT_EQ(readInText(e.text, e.monthFirst), e.read) << e.text;
}
