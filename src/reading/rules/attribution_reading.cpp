#include "reading/rules/attribution_reading.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "reading/dates/date_tokens.h"
#include "reading/lines/display_name.h"
#include "reading/lines/line_text.h"
#include "reading/rules/attribution_words.h"
#include "support/ascii.h"

namespace postsift {

namespace {

const std::size_t wordsOfAName = 5;

// Whether the text holds a date: a date or a time in figures, or a month
// and a number. Figures begin with a digit and a month's name never does:
// each word is asked only what it may be.
bool datedText(std::string_view text) {
    bool month = false;
    bool number = false;
    const char* end = text.data() + text.size();
    for (textWord w = wordAt(text.data(), end); !w.empty(); w = wordAt(w.end, end)) {
        if (isAsciiDigit(static_cast<unsigned char>(*w.begin))) {
            if (isFigureDateOrTime(w.begin, w.length())) return true;
            number = true;
        } else if (!month) {
            month = isMonthName(w.begin, w.length());
        }
    }
    return month && number;
}

// Where the name stands in a wording's part that holds it: after the last
// word that introduces a name ("heeft", "użytkownik"), without the words of
// a date before and after it. Found in one walk over the words, each asked
// once what it is to a date.
struct namePlace {
    const char* begin = nullptr;  // null when only words of a date are left
    const char* end = nullptr;
    bool dateFirst = false;   // the first word left is one of a date
    bool dateInside = false;  // a word of a date stands between words of the name
};

namePlace namePlaceIn(const char* from, const char* to) {
    namePlace place;
    bool any = false;
    bool dateSinceName = false;  // a word of a date since the last other word
    for (textWord w = wordAt(from, to); !w.empty(); w = wordAt(w.end, to)) {
        if (isNameIntroduction(w.begin, w.length())) {
            place = namePlace();
            any = dateSinceName = false;
            continue;
        }
        const bool date = isDateWord(w.begin, w.length());
        if (!any) place.dateFirst = date;
        any = true;
        if (date) {
            dateSinceName = place.begin != nullptr;
            continue;
        }
        if (place.begin == nullptr) place.begin = w.begin;
        place.dateInside = place.dateInside || dateSinceName;
        dateSinceName = false;
        place.end = w.end;
    }
    return place;
}

// The wordings that end with each byte before their colon, folded, as
// bits: the spoken endings first, then the others, each in its list's
// order. Every line that ends in a colon is looked up here, and most meet
// no wording or one or two.
struct endingIndex {
    static constexpr std::size_t count = spokenEndingCount + attributionEndingCount;
    static_assert(count <= 32, "a bit for each ending");
    const char* endings[count];
    std::size_t lengths[count];
    std::uint32_t byBefore[256] = {};
};

const endingIndex& endings() {
    static const endingIndex built = [] {
        endingIndex made{};
        for (std::size_t i = 0; i < endingIndex::count; ++i) {
            const char* ending = i < spokenEndingCount ? spokenEndings[i] : attributionEndings[i - spokenEndingCount];
            made.endings[i] = ending;
            made.lengths[i] = std::strlen(ending);
            made.byBefore[static_cast<unsigned char>(ending[made.lengths[i] - 2])] |= std::uint32_t{1} << i;
        }
        return made;
    }();
    return built;
}

// Compared from the end, where most wordings already differ from the text
// in the byte before the colon.
bool endsWithFolded(std::string_view text, const char* lower, std::size_t length, std::size_t& at) {
    if (text.size() < length) return false;
    at = text.size() - length;
    for (std::size_t i = length; i-- > 0;)
        if (foldedByte(text[at + i]) != static_cast<unsigned char>(lower[i])) return false;
    return true;
}

// The last place where `lower` occurs, ignoring ASCII case. The wordings
// begin with a blank, which text holds everywhere: a place is compared
// with the whole wording only when its first two bytes are the wording's.
std::size_t findLastFolded(std::string_view text, const char* lower, std::size_t before) {
    const std::size_t length = std::strlen(lower);
    if (before < length) return std::string_view::npos;
    const unsigned char first = static_cast<unsigned char>(lower[0]);
    const unsigned char second = length > 1 ? static_cast<unsigned char>(lower[1]) : 0;
    for (std::size_t i = before - length + 1; i-- > 0;)
        if ((length < 2 || foldedByte(text[i + 1]) == second) && foldedByte(text[i]) == first &&
            startsWithFolded(text.data() + i, text.data() + before, lower))
            return i;
    return std::string_view::npos;
}

// Where each verb occurs last before the final colon, found in one walk
// back over the text: every verb begins with a blank, and only a blank
// followed by a verb's second byte is compared with it.
void lastVerbs(std::string_view text, std::size_t (&at)[attributionVerbCount]) {
    std::size_t missing = attributionVerbCount;
    for (std::size_t v = 0; v < attributionVerbCount; ++v) at[v] = std::string_view::npos;
    const char* before = text.data() + text.size() - 1;
    for (std::size_t i = text.size() - 1; i-- > 0 && missing > 0;) {
        if (text[i] != ' ') continue;
        const unsigned char second = foldedByte(text[i + 1]);
        for (std::size_t v = 0; v < attributionVerbCount; ++v) {
            if (at[v] != std::string_view::npos || static_cast<unsigned char>(attributionVerbs[v][1]) != second ||
                !startsWithFolded(text.data() + i, before, attributionVerbs[v]))
                continue;
            at[v] = i;
            --missing;
        }
    }
}

bool holdsDigit(std::string_view text) {
    for (const char c : text)
        if (isAsciiDigit(static_cast<unsigned char>(c))) return true;
    return false;
}

// The part of a wording that names the writer: [begin, end) of the text.
struct region {
    std::size_t begin = 0;
    std::size_t end = 0;
};

bool holdsOtherThanDates(std::string_view text, region r) {
    const char* end = text.data() + r.end;
    for (textWord w = wordAt(text.data() + r.begin, end); !w.empty(); w = wordAt(w.end, end))
        if (!isDateWord(w.begin, w.length())) return true;
    return false;
}

// Finds a wording; `where` receives the part that holds the name,
// `spoken` whether it is one that prose uses too.
// Whether every wording ends with a colon: then a text without one has
// none, which its last byte tells.
bool wordingsEndInColon() {
    static const bool colons = [] {
        for (std::size_t i = 0; i < spokenEndingCount; ++i)
            if (spokenEndings[i][std::strlen(spokenEndings[i]) - 1] != ':') return false;
        for (std::size_t i = 0; i < attributionEndingCount; ++i)
            if (attributionEndings[i][std::strlen(attributionEndings[i]) - 1] != ':') return false;
        return true;
    }();
    return colons;
}

bool findWording(std::string_view text, region& where, bool& spoken) {
    if (text.back() != ':' && wordingsEndInColon()) return false;
    const endingIndex& index = endings();
    std::size_t at = 0;
    const std::uint32_t candidates = text.size() < 2 ? 0 : index.byBefore[foldedByte(text[text.size() - 2])];
    for (std::size_t i = 0; i < endingIndex::count; ++i) {
        if ((candidates >> i & 1) == 0 || !endsWithFolded(text, index.endings[i], index.lengths[i], at)) continue;
        where = {0, at};
        if (i < spokenEndingCount) {
            spoken = true;
            return true;
        }
        // "Jonas Brandt hat am 14.03.2025 geschrieben:", "Am 14.03.2025 hat
        // Jonas Brandt geschrieben:": the name is on the side of "hat"
        // that is not a date.
        if (std::strcmp(index.endings[i], " geschrieben:") == 0) {
            const std::size_t has = findLastFolded(text, " hat ", at);
            if (has != std::string_view::npos) {
                const region after{has + 5, at};
                where = holdsOtherThanDates(text, after) ? after : region{0, has};
            }
        }
        return true;
    }
    // "Am 14.03.2025 um 10:12 schrieb Jonas Brandt:", or "Jonas Brandt
    // schrieb am 14.03.2025 10:12:".
    if (text.back() != ':') return false;
    std::size_t verbs[attributionVerbCount];
    lastVerbs(text, verbs);
    for (std::size_t i = 0; i < attributionVerbCount; ++i) {
        const std::size_t verb = verbs[i];
        if (verb == std::string_view::npos) continue;
        const region after{verb + std::strlen(attributionVerbs[i]), text.size() - 1};
        where = holdsOtherThanDates(text, after) ? after : region{0, verb};
        return true;
    }
    return false;
}

// Every word: a capital, or a letter above ASCII.
bool beginsWithCapital(std::string_view name) {
    const char* end = name.data() + name.size();
    for (textWord w = wordAt(name.data(), end); !w.empty(); w = wordAt(w.end, end)) {
        const unsigned char c = static_cast<unsigned char>(*w.begin);
        if (!(c >= 'A' && c <= 'Z') && c < 128) return false;
    }
    return true;
}

}  // namespace

attributionReading readAttribution(std::string_view text) {
    attributionReading reading;
    if (text.empty() || text.size() > longestAttribution) return reading;
    const bool endsInColon = text.back() == ':';
    region where{0, endsInColon ? text.size() - 1 : text.size()};
    reading.certain = findWording(text, where, reading.spoken);
    // Without a wording, only a date makes one, and a date has figures;
    // without a colon, an address too: most lines go here.
    if (!reading.certain && (!holdsDigit(text) || (!endsInColon && text.find('@') == std::string_view::npos)))
        return reading;
    reading.dated = datedText(text);
    // Without a wording, a text with no date is none by its shape either,
    // whatever name it holds.
    if (!reading.certain && !reading.dated) return reading;
    const namePlace place = namePlaceIn(text.data() + where.begin, text.data() + where.end);
    const bool dateFirst = place.dateFirst;
    const bool dateInside = place.dateInside;
    // What names the writer, read where it stands in the text.
    const char* said = place.begin != nullptr ? place.begin : text.data();
    const char* saidEnd = place.begin != nullptr ? place.end : said;
    std::size_t count = 0;
    reading.name = displayName(said, saidEnd, count);
    if (isReaderAddressed(reading.name.data(), reading.name.size())) reading.name.clear();
    const bool hasAddress = std::memchr(said, '@', static_cast<std::size_t>(saidEnd - said)) != nullptr;
    if (count > wordsOfAName) return reading;
    if (reading.certain) {
        reading.found = true;
        return reading;
    }
    // By its shape alone: a date at one end, a name in capitals or an
    // address, and a colon, or a date first and both a name and an address.
    const bool nameLike = !reading.name.empty() && beginsWithCapital(reading.name);
    reading.found = reading.dated && !dateInside && (nameLike || hasAddress) &&
                    (endsInColon || (dateFirst && nameLike && hasAddress));
    if (!reading.found) reading.name.clear();
    return reading;
}

}  // namespace postsift
