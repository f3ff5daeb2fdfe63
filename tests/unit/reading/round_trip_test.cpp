// Random dates written the ways headers and mail programs write them, in
// English, French and German words, read back and said: what is read must
// be what was written, and what is said must match a plain model of each
// language's sentence. Header dates as faulty programs write them are read
// back too.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "language_builds.h"
#include "reading/dates/date_speaking.h"

using namespace postsift;

namespace {

// \xe9 e acute, \xfb u circumflex, \xe4 a umlaut, \xe0 a grave.
const char* const englishDays[7] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
const char* const englishShortDays[7] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
const char* const frenchDays[7] = {"lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", "dimanche"};
const char* const frenchShortDays[7] = {"lun.", "mar.", "mer.", "jeu.", "ven.", "sam.", "dim."};
const char* const germanDays[7] = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};
const char* const germanShortDays[7] = {"Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa.", "So."};

const char* const englishMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
const char* const englishShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const frenchMonths[12] = {"janvier", "f\xe9vrier", "mars",      "avril",   "mai",      "juin",
                                      "juillet", "ao\xfbt",    "septembre", "octobre", "novembre", "d\xe9" "cembre"};
const char* const frenchShortMonths[12] = {"janv.", "f\xe9vr.", "mars",  "avr.", "mai",  "juin",
                                           "juil.", "ao\xfbt",  "sept.", "oct.", "nov.", "d\xe9" "c."};
const char* const germanMonths[12] = {"Januar", "Februar", "M\xe4rz",    "April",   "Mai",      "Juni",
                                      "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
const char* const germanShortMonths[12] = {"Jan.", "Feb.", "M\xe4rz", "Apr.", "Mai",  "Juni",
                                           "Juli", "Aug.", "Sep.",    "Okt.", "Nov.", "Dez."};

struct namedZone {
    const char* name;
    int minutes;
};
const namedZone namedZones[] = {{"GMT", 0},    {"UT", 0},     {"UTC", 0},    {"Z", 0},      {"EST", -300},
                                {"EDT", -240}, {"CST", -360}, {"CDT", -300}, {"MST", -420}, {"MDT", -360},
                                {"PST", -480}, {"PDT", -420}};

// Windows zone names and the offsets they stand for.
const namedZone windowsZones[] = {
    {"Pacific Standard Time", -480},       {"Pacific Daylight Time", -420},
    {"Eastern Daylight Time", -240},       {"US Mountain Standard Time", -420},
    {"GMT Standard Time", 0},              {"GMT Daylight Time", 60},
    {"W. Europe Standard Time", 60},       {"Romance Daylight Time", 120},
    {"Central Europe Standard Time", 60},  {"E. South America Standard Time", -180},
    {"Mid-Atlantic Daylight Time", -60},   {"Newfoundland Standard Time", -210},
    {"Arabian Standard Time", 240},        {"India Standard Time", 330},
    {"Nepal Standard Time", 345},          {"Tokyo Standard Time", 540},
    {"Cen. Australia Daylight Time", 630}, {"AUS Eastern Standard Time", 600},
};

// Sakamoto's rule, 0 for Sunday; turned to 0 for Monday.
int mondayFirstWeekday(int year, int month, int day) {
    static const int shift[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) --year;
    return ((year + year / 4 - year / 100 + year / 400 + shift[month - 1] + day) % 7 + 6) % 7;
}

int monthLength(int year, int month) {
    if (month == 2) return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 29 : 28;
    return month == 4 || month == 6 || month == 9 || month == 11 ? 30 : 31;
}

std::string twoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

struct written {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool hasZone = false;
    int zoneMinutes = 0;
    std::string text;
};

class dateWriter {
public:
    explicit dateWriter(unsigned seed) : random_(seed) {}

    written next() {
        written w;
        const bool twoDigitYear = pick(4) == 0;
        w.year = twoDigitYear ? 1950 + pick(100) : (pick(2) == 0 ? 1900 + pick(200) : 1000 + pick(9000));
        w.month = 1 + pick(12);
        w.day = 1 + pick(monthLength(w.year, w.month));
        w.hour = pick(24);
        w.minute = pick(60);
        const bool seconds = pick(2) == 0;
        w.second = seconds ? pick(60) : 0;
        const int weekday = mondayFirstWeekday(w.year, w.month, w.day);
        const std::string year = twoDigitYear ? twoDigits(w.year % 100) : std::to_string(w.year);
        const std::string clock = std::to_string(w.hour) + ":" + twoDigits(w.minute) + (seconds ? ":" + twoDigits(w.second) : "");
        const std::string paddedClock = twoDigits(w.hour) + clock.substr(clock.find(':'));
        std::string& t = w.text;
        switch (pick(8)) {
            case 0:  // a header's date
                if (pick(2)) t += cased(englishShortDays[weekday]) + "," + blank();
                t += std::to_string(w.day) + blank() + cased(englishShortMonths[w.month - 1]) + blank() + year + blank() +
                     paddedClock;
                t += blank() + zone(w);
                if (pick(3) == 0) t += blank() + "(comment)";
                break;
            case 1:  // English, month first, twelve-hour clock
                if (pick(2)) t += cased(pick(2) ? englishDays[weekday] : englishShortDays[weekday]) + "," + blank();
                t += cased(pick(2) ? englishMonths[w.month - 1] : englishShortMonths[w.month - 1]) + blank() +
                     std::to_string(w.day) + "," + blank() + year + (pick(2) ? blank() + "at" : std::string()) + blank() +
                     twelveHourClock(w, seconds);
                break;
            case 2:  // French
                if (pick(2)) t += cased(pick(2) ? frenchDays[weekday] : frenchShortDays[weekday]) + blank();
                t += (w.day == 1 && pick(2) ? std::string("1er") : std::to_string(w.day)) + blank() +
                     cased(pick(2) ? frenchMonths[w.month - 1] : frenchShortMonths[w.month - 1]) + blank() + year +
                     (pick(2) ? blank() + "\xe0" : std::string()) + blank() + clock;
                break;
            case 3:  // German
                if (pick(2)) t += cased(pick(2) ? germanDays[weekday] : germanShortDays[weekday]) + "," + blank();
                t += std::to_string(w.day) + "." + blank() +
                     cased(pick(2) ? germanMonths[w.month - 1] : germanShortMonths[w.month - 1]) + blank() + year +
                     (pick(2) ? blank() + "um" : std::string()) + blank() + clock + (pick(2) ? " Uhr" : "");
                break;
            case 4:  // dots, day first
                t += number(w.day) + "." + number(w.month) + "." + year + blank() + clock;
                break;
            case 5:  // year first
                w.year = 1000 + pick(9000);
                w.day = 1 + pick(monthLength(w.year, w.month));
                t += std::to_string(w.year) + "-" + twoDigits(w.month) + "-" + twoDigits(w.day) +
                     (pick(2) ? "T" : blank()) + paddedClock;
                if (pick(2)) t += (pick(2) ? "" : blank()) + zone(w);
                break;
            case 6:  // slashes or dashes, day first
            {
                const std::string separator = pick(2) ? "/" : "-";
                t += number(w.day) + separator + number(w.month) + separator + year + blank() + clock;
                break;
            }
            default:  // slashes, month first, as English writes them
                t += number(w.month) + "/" + number(w.day) + "/" + year + blank() + twelveHourClock(w, seconds);
                break;
        }
        return w;
    }

    // A header's date as faulty programs write it: the years since 1900,
    // times without padding, a sign twice or none, an offset after GMT, a
    // Windows zone name, comments after the zone.
    written nextFaulty() {
        written w;
        w.year = 1900 + pick(1000);
        w.month = 1 + pick(12);
        w.day = 1 + pick(monthLength(w.year, w.month));
        w.hour = pick(24);
        w.minute = pick(60);
        w.second = pick(60);
        const int since1900 = w.year - 1900;
        std::string year = std::to_string(w.year);
        const int yearForm = pick(3);
        if (yearForm == 1 || (yearForm == 2 && since1900 < 100))
            year = std::string(since1900 < 10 ? "000" : since1900 < 100 ? "00" : "0") + std::to_string(since1900);
        else if (yearForm == 2)
            year = std::to_string(since1900);
        std::string& t = w.text;
        const int weekday = mondayFirstWeekday(w.year, w.month, w.day);
        if (pick(2)) t += cased(pick(2) ? englishShortDays[weekday] : frenchDays[weekday]) + "," + blank();
        t += number(w.day) + blank() + cased(englishShortMonths[w.month - 1]) + blank() + year + blank();
        if (pick(2)) {
            t += std::to_string(w.hour) + ":" + std::to_string(w.minute) + ":" + std::to_string(w.second);
        } else {
            if (pick(2)) w.second = 0;
            t += twoDigits(w.hour) + ":" + twoDigits(w.minute) + (w.second != 0 ? ":" + twoDigits(w.second) : "");
        }
        t += blank() + faultyZone(w);
        for (int comments = pick(3); comments > 0; --comments) t += blank() + (pick(2) ? "(CEST)" : "(a (nested) one)");
        return w;
    }

private:
    int pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }

    std::string blank() {
        static const char* const blanks[] = {" ", " ", "  ", "\t", "\r\n ", "\n\t"};
        return blanks[pick(6)];
    }

    // As written, all upper case or all lower case (ASCII letters only).
    std::string cased(const char* name) {
        std::string text = name;
        const int how = pick(3);
        for (char& c : text) {
            if (how == 1 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            if (how == 2 && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        return text;
    }

    std::string number(int value) { return pick(2) ? twoDigits(value) : std::to_string(value); }

    std::string twelveHourClock(const written& w, bool seconds) {
        static const char* const before[] = {"AM", "am", "a.m.", "A.M."};
        static const char* const after[] = {"PM", "pm", "p.m.", "P.M."};
        const int hour = w.hour % 12 == 0 ? 12 : w.hour % 12;
        return std::to_string(hour) + ":" + twoDigits(w.minute) + (seconds ? ":" + twoDigits(w.second) : "") +
               (pick(2) ? " " : "") + (w.hour < 12 ? before : after)[pick(4)];
    }

    std::string zone(written& w) {
        w.hasZone = true;
        if (pick(3) == 0) {
            const namedZone& named = namedZones[pick(12)];
            w.zoneMinutes = named.minutes;
            return cased(named.name);
        }
        const int hours = pick(15);
        const int minutes = 15 * pick(4);
        const bool west = pick(2) == 0;
        w.zoneMinutes = (hours * 60 + minutes) * (west ? -1 : 1);
        return (west ? "-" : "+") + twoDigits(hours) + twoDigits(minutes);
    }

    std::string faultyZone(written& w) {
        w.hasZone = true;
        const int hours = pick(15);
        const int minutes = 15 * pick(4);
        switch (pick(4)) {
            case 0:  // a western zone after a plus sign
                w.zoneMinutes = -(hours * 60 + minutes);
                return "+-" + twoDigits(hours) + twoDigits(minutes);
            case 1:  // no sign
                w.zoneMinutes = hours * 60 + minutes;
                return twoDigits(hours) + twoDigits(minutes);
            case 2:  // after GMT or UTC, in hours or hours and minutes
            {
                const bool west = pick(2) == 0;
                w.zoneMinutes = (hours * 60 + minutes) * (west ? -1 : 1);
                return cased(pick(2) ? "GMT" : "UTC") + (west ? "-" : "+") + number(hours) +
                       (minutes != 0 || pick(2) ? ":" + twoDigits(minutes) : "");
            }
            default:  // a Windows name, its words apart as the header was folded
            {
                const namedZone& named = windowsZones[pick(sizeof windowsZones / sizeof windowsZones[0])];
                w.zoneMinutes = named.minutes;
                std::string name;
                for (const char* c = named.name; *c != '\0'; ++c) name += *c == ' ' ? blank() : std::string(1, *c);
                return cased(name.c_str());
            }
        }
    }

    std::mt19937 random_;
};

std::string frenchModel(const written& w) {
    const int weekday = mondayFirstWeekday(w.year, w.month, w.day);
    return std::string(frenchDays[weekday]) + " " + (w.day == 1 ? "1er" : std::to_string(w.day)) + " " +
           frenchMonths[w.month - 1] + " " + std::to_string(w.year) + " \xe0 " + std::to_string(w.hour) + " h" +
           (w.minute != 0 ? " " + twoDigits(w.minute) : "");
}

std::string germanModel(const written& w) {
    const int weekday = mondayFirstWeekday(w.year, w.month, w.day);
    return std::string(germanDays[weekday]) + ", " + std::to_string(w.day) + ". " + germanMonths[w.month - 1] + " " +
           std::to_string(w.year) + " um " + std::to_string(w.hour) + ":" + twoDigits(w.minute) + " Uhr";
}

void expectReadAsWritten(const written& w, dateTime& date) {
    ASSERT_TRUE(readDate(w.text.data(), w.text.size(), date)) << w.text;
    EXPECT_EQ(date.year, w.year) << w.text;
    EXPECT_EQ(date.month, w.month) << w.text;
    EXPECT_EQ(date.day, w.day) << w.text;
    EXPECT_EQ(date.hour, w.hour) << w.text;
    EXPECT_EQ(date.minute, w.minute) << w.text;
    EXPECT_EQ(date.second, w.second) << w.text;
    EXPECT_EQ(date.hasZone, w.hasZone) << w.text;
    EXPECT_EQ(date.zoneMinutes, w.zoneMinutes) << w.text;
}

}  // namespace

TEST(DateRoundTrip, WrittenReadAndSaidAsTheModelSaysIt) {
    dateWriter writer(20150123);
    for (int round = 0; round < 20000; ++round) {
        const written w = writer.next();
        dateTime date;
        expectReadAsWritten(w, date);
        if (HasFailure()) return;
        std::string french;
        speakDate(date, frenchBuild.dates, french);
        EXPECT_EQ(french, frenchModel(w)) << w.text;
        std::string german;
        speakDate(date, germanBuild.dates, german);
        EXPECT_EQ(german, germanModel(w)) << w.text;
        if (HasFailure()) return;
    }
}

TEST(DateRoundTrip, FaultyHeaderDatesReadAsAPersonReadsThem) {
    dateWriter writer(20020724);
    for (int round = 0; round < 20000; ++round) {
        const written w = writer.nextFaulty();
        dateTime date;
        expectReadAsWritten(w, date);
        if (HasFailure()) return;
    }
}
