#include "reading/rules/attribution_reading.h"

#include <cstring>
#include <vector>

#include "reading/dates/date_tokens.h"
#include "reading/lines/display_name.h"
#include "reading/lines/line_text.h"
#include "reading/rules/attribution_words.h"
#include "support/ascii.h"

namespace postsift {

namespace {

const std::size_t wordsOfAName = 5;

struct word {
    std::size_t begin;
    std::size_t end;
    bool date;  // a word of a date (isDateWord), asked of each word once
};

std::vector<word> wordsOf(const std::string& text, std::size_t from, std::size_t to) {
    std::vector<word> words;
    const char* base = text.data();
    for (textWord w = wordAt(base + from, base + to); !w.empty(); w = wordAt(w.end, base + to))
        words.push_back({static_cast<std::size_t>(w.begin - base), static_cast<std::size_t>(w.end - base),
                         isDateWord(w.begin, w.length())});
    return words;
}

// The lengths of a list's words, counted once: every line that ends in a
// colon is compared with each wording.
std::vector<std::size_t> lengthsOf(const char* const* words, std::size_t count) {
    std::vector<std::size_t> lengths;
    for (std::size_t i = 0; i < count; ++i) lengths.push_back(std::strlen(words[i]));
    return lengths;
}

// Compared from the end, where most wordings already differ from the text
// in the byte before the colon.
bool endsWithFolded(const std::string& text, const char* lower, std::size_t length, std::size_t& at) {
    if (text.size() < length) return false;
    at = text.size() - length;
    for (std::size_t i = length; i-- > 0;)
        if (foldedByte(text[at + i]) != static_cast<unsigned char>(lower[i])) return false;
    return true;
}

// The last place where `lower` occurs, ignoring ASCII case. The wordings
// begin with a blank, which text holds everywhere: a place is compared
// with the whole wording only when its first two bytes are the wording's.
std::size_t findLastFolded(const std::string& text, const char* lower, std::size_t before) {
    const std::size_t length = std::strlen(lower);
    if (before < length) return std::string::npos;
    const unsigned char first = static_cast<unsigned char>(lower[0]);
    const unsigned char second = length > 1 ? static_cast<unsigned char>(lower[1]) : 0;
    for (std::size_t i = before - length + 1; i-- > 0;)
        if ((length < 2 || foldedByte(text[i + 1]) == second) && foldedByte(text[i]) == first &&
            startsWithFolded(text.data() + i, text.data() + before, lower))
            return i;
    return std::string::npos;
}

bool holdsDigit(const std::string& text) {
    for (const char c : text)
        if (isAsciiDigit(static_cast<unsigned char>(c))) return true;
    return false;
}

// The part of a wording that names the writer: [begin, end) of the text.
struct region {
    std::size_t begin = 0;
    std::size_t end = 0;
};

bool holdsOtherThanDates(const std::string& text, region r) {
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

bool findWording(const std::string& text, region& where, bool& spoken) {
    if (text.back() != ':' && wordingsEndInColon()) return false;
    static const std::vector<std::size_t> spokenLengths = lengthsOf(spokenEndings, spokenEndingCount);
    static const std::vector<std::size_t> endingLengths = lengthsOf(attributionEndings, attributionEndingCount);
    std::size_t at = 0;
    for (std::size_t i = 0; i < spokenEndingCount; ++i) {
        if (!endsWithFolded(text, spokenEndings[i], spokenLengths[i], at)) continue;
        where = {0, at};
        spoken = true;
        return true;
    }
    for (std::size_t i = 0; i < attributionEndingCount; ++i) {
        if (!endsWithFolded(text, attributionEndings[i], endingLengths[i], at)) continue;
        where = {0, at};
        // "Jonas Brandt hat am 14.03.2025 geschrieben:", "Am 14.03.2025 hat
        // Jonas Brandt geschrieben:": the name is on the side of "hat"
        // that is not a date.
        if (std::strcmp(attributionEndings[i], " geschrieben:") == 0) {
            const std::size_t has = findLastFolded(text, " hat ", at);
            if (has != std::string::npos) {
                const region after{has + 5, at};
                where = holdsOtherThanDates(text, after) ? after : region{0, has};
            }
        }
        return true;
    }
    // "Am 14.03.2025 um 10:12 schrieb Jonas Brandt:", or "Jonas Brandt
    // schrieb am 14.03.2025 10:12:".
    if (text.back() != ':') return false;
    for (std::size_t i = 0; i < attributionVerbCount; ++i) {
        const std::size_t verb = findLastFolded(text, attributionVerbs[i], text.size() - 1);
        if (verb == std::string::npos) continue;
        const region after{verb + std::strlen(attributionVerbs[i]), text.size() - 1};
        where = holdsOtherThanDates(text, after) ? after : region{0, verb};
        return true;
    }
    return false;
}

bool holdsDate(const std::string& text) {
    bool month = false;
    bool number = false;
    const char* end = text.data() + text.size();
    for (textWord w = wordAt(text.data(), end); !w.empty(); w = wordAt(w.end, end)) {
        if (isFigureDateOrTime(w.begin, w.length())) return true;
        month = month || isMonthName(w.begin, w.length());
        number = number || isAsciiDigit(static_cast<unsigned char>(*w.begin));
    }
    return month && number;
}

// Every word: a capital, or a letter above ASCII.
bool beginsWithCapital(const std::string& name) {
    const char* end = name.data() + name.size();
    for (textWord w = wordAt(name.data(), end); !w.empty(); w = wordAt(w.end, end)) {
        const unsigned char c = static_cast<unsigned char>(*w.begin);
        if (!(c >= 'A' && c <= 'Z') && c < 128) return false;
    }
    return true;
}

}  // namespace

attributionReading readAttribution(const std::string& text) {
    attributionReading reading;
    if (text.empty() || text.size() > longestAttribution) return reading;
    const bool endsInColon = text.back() == ':';
    region where{0, endsInColon ? text.size() - 1 : text.size()};
    reading.certain = findWording(text, where, reading.spoken);
    // Without a wording, only a date makes one, and a date has figures;
    // without a colon, an address too: most lines go here.
    if (!reading.certain && (!holdsDigit(text) || (!endsInColon && text.find('@') == std::string::npos)))
        return reading;
    reading.dated = holdsDate(text);
    // Without a wording, a text with no date is none by its shape either,
    // whatever name it holds.
    if (!reading.certain && !reading.dated) return reading;

    // The name: after a word that introduces it ("heeft", "użytkownik"),
    // without the date before and after it.
    std::vector<word> words = wordsOf(text, where.begin, where.end);
    for (std::size_t i = words.size(); i-- > 0;) {
        if (isNameIntroduction(text.data() + words[i].begin, words[i].end - words[i].begin)) {
            words.erase(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(i + 1));
            break;
        }
    }
    const bool dateFirst = !words.empty() && words.front().date;
    std::size_t first = 0;
    std::size_t last = words.size();
    while (first < last && words[first].date) ++first;
    while (last > first && words[last - 1].date) --last;
    bool dateInside = false;
    for (std::size_t i = first; i < last; ++i) dateInside = dateInside || words[i].date;
    // What names the writer, read where it stands in the text.
    const char* said = text.data() + (first < last ? words[first].begin : 0);
    const char* saidEnd = first < last ? text.data() + words[last - 1].end : said;
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
