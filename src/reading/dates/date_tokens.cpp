#include "reading/dates/date_tokens.h"

#include <cstring>
#include <string_view>
#include <unordered_map>

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

// Every name and joining word, by its spelling; and which first bytes and
// lengths they have, which turns most other words away before hashing.
struct dateWordIndex {
    std::unordered_map<std::string_view, dateWordKind> kinds;
    bool firstAndLength[256][longestWord + 1] = {};

    void add(const char* spelling, dateWordKind kind) {
        const std::string_view word(spelling);
        kinds.emplace(word, kind);
        firstAndLength[static_cast<unsigned char>(word[0])][word.size()] = true;
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
        return made;
    }();
    return built;
}

// Asked of the first words of many lines: the word folded once, and looked
// up only when a name of its first byte and length exists.
dateWordKind kindOf(const char* word, std::size_t length) {
    const dateWordIndex& words = index();
    if (length == 0 || length > longestWord || !words.firstAndLength[foldedByte(word[0])][length])
        return dateWordKind::none;
    char folded[longestWord];
    for (std::size_t i = 0; i < length; ++i) folded[i] = static_cast<char>(foldedByte(word[i]));
    const auto found = words.kinds.find(std::string_view(folded, length));
    return found != words.kinds.end() ? found->second : dateWordKind::none;
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
