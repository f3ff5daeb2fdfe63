#include "reading/dates/windows_zone_names.h"

#include "support/ascii.h"

namespace postsift {

namespace {

struct windowsZone {
    const char* place;    // the name before "Standard Time", lower case, single blanks
    int standardMinutes;  // east of UTC
    int daylightMinutes;  // for "... Daylight Time"
};

constexpr int h = 60;

// Zones whose standard offset changed in the last decades (Samoa,
// Venezuela, Greenland, Turkey, most of Russia...) are left out: their name
// alone no longer tells which offset a message meant.
const windowsZone windowsZones[] = {
    {"dateline", -12 * h, -11 * h},
    {"hawaiian", -10 * h, -9 * h},
    {"alaskan", -9 * h, -8 * h},
    {"pacific", -8 * h, -7 * h},
    {"us mountain", -7 * h, -6 * h},
    {"mountain", -7 * h, -6 * h},
    {"central america", -6 * h, -5 * h},
    {"central", -6 * h, -5 * h},
    {"canada central", -6 * h, -5 * h},
    {"mexico", -6 * h, -5 * h},
    {"sa pacific", -5 * h, -4 * h},
    {"eastern", -5 * h, -4 * h},
    {"us eastern", -5 * h, -4 * h},
    {"atlantic", -4 * h, -3 * h},
    {"sa western", -4 * h, -3 * h},
    {"pacific sa", -4 * h, -3 * h},
    {"central brazilian", -4 * h, -3 * h},
    {"newfoundland", -(3 * h + 30), -(2 * h + 30)},
    {"e. south america", -3 * h, -2 * h},
    {"sa eastern", -3 * h, -2 * h},
    {"argentina", -3 * h, -2 * h},
    {"montevideo", -3 * h, -2 * h},
    {"mid-atlantic", -2 * h, -1 * h},
    {"azores", -1 * h, 0},
    {"cape verde", -1 * h, 0},
    {"gmt", 0, 1 * h},
    {"greenwich", 0, 1 * h},
    {"w. europe", 1 * h, 2 * h},
    {"central europe", 1 * h, 2 * h},
    {"central european", 1 * h, 2 * h},
    {"romance", 1 * h, 2 * h},
    {"w. central africa", 1 * h, 2 * h},
    {"gtb", 2 * h, 3 * h},
    {"e. europe", 2 * h, 3 * h},
    {"fle", 2 * h, 3 * h},
    {"egypt", 2 * h, 3 * h},
    {"south africa", 2 * h, 3 * h},
    {"israel", 2 * h, 3 * h},
    {"jerusalem", 2 * h, 3 * h},
    {"middle east", 2 * h, 3 * h},
    {"arabic", 3 * h, 4 * h},
    {"arab", 3 * h, 4 * h},
    {"russian", 3 * h, 4 * h},
    {"e. africa", 3 * h, 4 * h},
    {"iran", 3 * h + 30, 4 * h + 30},
    {"arabian", 4 * h, 5 * h},
    {"caucasus", 4 * h, 5 * h},
    {"georgian", 4 * h, 5 * h},
    {"azerbaijan", 4 * h, 5 * h},
    {"mauritius", 4 * h, 5 * h},
    {"afghanistan", 4 * h + 30, 5 * h + 30},
    {"west asia", 5 * h, 6 * h},
    {"pakistan", 5 * h, 6 * h},
    {"ekaterinburg", 5 * h, 6 * h},
    {"india", 5 * h + 30, 6 * h + 30},
    {"nepal", 5 * h + 45, 6 * h + 45},
    {"bangladesh", 6 * h, 7 * h},
    {"myanmar", 6 * h + 30, 7 * h + 30},
    {"se asia", 7 * h, 8 * h},
    {"china", 8 * h, 9 * h},
    {"malay peninsula", 8 * h, 9 * h},
    {"singapore", 8 * h, 9 * h},
    {"taipei", 8 * h, 9 * h},
    {"w. australia", 8 * h, 9 * h},
    {"tokyo", 9 * h, 10 * h},
    {"korea", 9 * h, 10 * h},
    {"cen. australia", 9 * h + 30, 10 * h + 30},
    {"aus central", 9 * h + 30, 10 * h + 30},
    {"e. australia", 10 * h, 11 * h},
    {"aus eastern", 10 * h, 11 * h},
    {"west pacific", 10 * h, 11 * h},
    {"tasmania", 10 * h, 11 * h},
    {"central pacific", 11 * h, 12 * h},
    {"new zealand", 12 * h, 13 * h},
    {"fiji", 12 * h, 13 * h},
    {"tonga", 13 * h, 14 * h},
};

// Matches `spelling` (lower case; a blank in it stands for a run of
// blanks in the text) at `at`; returns where the text after it starts, or
// null.
const unsigned char* match(const unsigned char* at, const unsigned char* end, const char* spelling) {
    for (const char* s = spelling; *s != '\0'; ++s) {
        if (*s == ' ') {
            if (at == end || !isAsciiSpace(*at)) return nullptr;
            while (at != end && isAsciiSpace(*at)) ++at;
        } else {
            if (at == end || asciiLower(*at) != static_cast<unsigned char>(*s)) return nullptr;
            ++at;
        }
    }
    return at;
}

}  // namespace

std::size_t readWindowsZoneName(const unsigned char* text, std::size_t length, int& minutesEast) {
    const unsigned char* end = text + length;
    for (const windowsZone& zone : windowsZones) {
        const unsigned char* at = match(text, end, zone.place);
        if (at == nullptr) continue;
        const unsigned char* after = match(at, end, " standard time");
        int minutes = zone.standardMinutes;
        if (after == nullptr) {
            after = match(at, end, " daylight time");
            minutes = zone.daylightMinutes;
        }
        // "Time" ends the name: "Timezone" is some other word.
        if (after == nullptr || (after != end && (isAsciiLetter(*after) || isAsciiDigit(*after) || *after >= 0x80)))
            continue;
        minutesEast = minutes;
        return static_cast<std::size_t>(after - text);
    }
    return 0;
}

}  // namespace postsift
