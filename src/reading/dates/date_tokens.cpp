#include "reading/dates/date_tokens.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "reading/dates/date_names.h"
#include "reading/lines/line_text.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// The words that introduce a date and join its parts, lower case; \xe0 is a
// grave.
const char* const joiningWords[] = {
    "on", "le", "am", "op", "den", "w", "dniu", "el", "il", "giorno", "em", "at", "\xe0", "a", "um", "om", "kl",
    "klo", "alle", "ore", "las", "\xe0s", "as", "de", "del", "the", "h", "o", "godz", "pm", "p", "m",
};

bool isDigit(char c) { return isAsciiDigit(static_cast<unsigned char>(c)); }

// The word without a trailing ',', '.' or ';' and a Portuguese "-feira".
std::size_t bareLength(const char* word, std::size_t length) {
    while (length > 0 && (word[length - 1] == ',' || word[length - 1] == '.' || word[length - 1] == ';')) --length;
    if (length > 6 && startsWithFolded(word + length - 6, word + length, "-feira")) length -= 6;
    return length;
}

const std::size_t longestWord = 16;  // longer than any of the words

// Every name and joining word, by its spelling, grouped by first byte and
// length: most words meet no group, and the others one of a few spellings.
// A spelling given twice keeps its first kind.
struct dateWordIndex {
    struct spelling {
        std::string_view word;
        dateWordKind kind;
    };
    struct group {
        std::uint16_t from = 0;
        std::uint16_t count = 0;
    };
    std::vector<spelling> spellings;  // in groups, each in the order added
    group groups[256][longestWord + 1] = {};

    void add(const char* word, dateWordKind kind) {
        const std::string_view added(word);
        if (!added.empty() && added.size() <= longestWord) spellings.push_back({added, kind});
    }
    void arrange() {
        std::stable_sort(spellings.begin(), spellings.end(), [](const spelling& a, const spelling& b) {
            const unsigned char aFirst = static_cast<unsigned char>(a.word[0]);
            const unsigned char bFirst = static_cast<unsigned char>(b.word[0]);
            return aFirst != bFirst ? aFirst < bFirst : a.word.size() < b.word.size();
        });
        for (std::size_t i = 0; i < spellings.size(); ++i) {
            const std::string_view word = spellings[i].word;
            dateWordIndex::group& g = groups[static_cast<unsigned char>(word[0])][word.size()];
            if (g.count == 0) g.from = static_cast<std::uint16_t>(i);
            ++g.count;
        }
    }
};

const dateWordIndex& index() {
    static const dateWordIndex built = [] {
        dateWordIndex made;
        std::size_t count = 0;
        const nameSpelling* months = monthSpellings(count);
        for (std::size_t i = 0; i < count; ++i) made.add(months[i].spelling, dateWordKind::month);
        const nameSpelling* days = daySpellings(count);
        for (std::size_t i = 0; i < count; ++i) made.add(days[i].spelling, dateWordKind::other);
        for (const char* joining : joiningWords) made.add(joining, dateWordKind::other);
        made.arrange();
        return made;
    }();
    return built;
}

// Asked of the first words of many lines: the word folded once, and
// compared only with the spellings of its first byte and length.
dateWordKind kindOf(const char* word, std::size_t length) {
    const dateWordIndex& words = index();
    if (length == 0 || length > longestWord) return dateWordKind::none;
    const dateWordIndex::group& g = words.groups[foldedByte(word[0])][length];
    if (g.count == 0) return dateWordKind::none;
    char folded[longestWord];
    for (std::size_t i = 0; i < length; ++i) folded[i] = static_cast<char>(foldedByte(word[i]));
    for (std::size_t i = g.from; i < g.from + g.count; ++i)
        if (std::memcmp(folded, words.spellings[i].word.data(), length) == 0) return words.spellings[i].kind;
    return dateWordKind::none;
}

}  // namespace

bool isFigureDateOrTime(const char* word, std::size_t length) {
    length = bareLength(word, length);
    std::size_t digits = 0;
    std::size_t groups = 0;
    bool inGroup = false;
    for (std::size_t i = 0; i < length; ++i) {
        if (isDigit(word[i])) {
            ++digits;
            if (!inGroup) ++groups;
            inGroup = true;
        } else if (std::strchr(":./-h", word[i]) != nullptr && i > 0 && i + 1 < length) {
            inGroup = false;
        } else {
            return false;
        }
    }
    // A time or a date has two groups or more; a lone number is a year.
    return groups >= 2 || (groups == 1 && digits == 4);
}

dateWordKind dateWordOf(const char* word, std::size_t length) {
    const std::size_t bare = bareLength(word, length);
    if (bare == 0) return dateWordKind::other;
    for (std::size_t i = 0; i < bare; ++i)
        if (isDigit(word[i])) return dateWordKind::figures;
    return kindOf(word, bare);
}

}  // namespace postsift
