#include "reading/attribution_line.h"

#include <cstring>

#include "reading/display_name.h"
#include "reading/original_message_finder.h"
#include "reading/original_message_separator.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// An attribution is one line of a few words, or a run of at most three; a
// longer text is a paragraph that happens to end in "wrote:".
const std::size_t longestAttribution = 300;
const int linesAfterFirst = 2;
const int blankLinesBeforeQuote = 3;
const std::size_t wordsOfAName = 5;

// The endings after which the name has been said; lower case, \xe9 is e acute.
const char* const endings[] = {
    " wrote:", " writes:", " a \xe9" "crit :", " a \xe9" "crit:", " a ecrit :", " a ecrit:", " schrieb:", " geschrieben:",
};

bool endsWithFolded(const std::string& text, const char* lower, std::size_t& at) {
    const std::size_t length = std::strlen(lower);
    if (text.size() < length) return false;
    at = text.size() - length;
    return startsWithFolded(text.data() + at, text.data() + text.size(), lower);
}

// The first (or last) place where `lower` occurs, ignoring ASCII case.
std::size_t findFolded(const std::string& text, const char* lower, bool last) {
    const std::size_t length = std::strlen(lower);
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i + length <= text.size(); ++i) {
        if (!startsWithFolded(text.data() + i, text.data() + text.size(), lower)) continue;
        found = i;
        if (!last) break;
    }
    return found;
}

// The word that introduces a date in an attribution, in each language.
bool startsWithDateIntroduction(const char* p, const char* end) {
    return end - p >= 3 && (std::memcmp(p, "On ", 3) == 0 || std::memcmp(p, "Le ", 3) == 0 || std::memcmp(p, "Am ", 3) == 0);
}

// Where the date ends: the last comma that is not inside quotes or brackets.
std::size_t lastCommaOutside(const std::string& text) {
    std::size_t found = std::string::npos;
    bool quoted = false;
    int bracketed = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') quoted = !quoted;
        if (c == '<' || c == '[' || c == '(') ++bracketed;
        if ((c == '>' || c == ']' || c == ')') && bracketed > 0) --bracketed;
        if (c == ',' && !quoted && bracketed == 0) found = i;
    }
    return found;
}

// The first line of a wrapped attribution begins with its date: "On Wed,",
// "Le 23 janv.", "Am 14.03.2025", "On Apr 4,". A paragraph that begins
// with "Le rapport" or "Am Montag" does not.
bool beginsWithDate(const char* p, const char* end) {
    if (end - p < 4 || !startsWithDateIntroduction(p, end)) return false;
    p += 3;
    for (int word = 0; word < 2 && p < end; ++word) {
        const char* wordEnd = p;
        while (wordEnd < end && *wordEnd != ' ') ++wordEnd;
        if (wordEnd == p) return false;
        if (isAsciiDigit(static_cast<unsigned char>(*p))) return true;
        if (word == 0 && (wordEnd[-1] == ',' || wordEnd[-1] == '.')) return true;
        p = wordEnd + 1;
    }
    return false;
}

}  // namespace

bool readAttribution(const std::string& text, std::string& name) {
    name.clear();
    if (text.empty() || text.back() != ':' || text.size() > longestAttribution) return false;
    std::string said;  // the part that holds the name
    bool dated = false;
    std::size_t at = 0;
    bool ended = false;
    for (const char* ending : endings) {
        if (!endsWithFolded(text, ending, at)) continue;
        said = text.substr(0, at);
        if (std::strcmp(ending, " geschrieben:") == 0) {
            const std::size_t has = findFolded(said, " hat ", false);
            if (has != std::string::npos) said.erase(has);
        }
        dated = startsWithDateIntroduction(said.data(), said.data() + said.size());
        ended = true;
        break;
    }
    if (!ended) {
        // "Am 14.03.2025 um 10:12 schrieb Jonas Brandt:", or "Jonas Brandt
        // schrieb am 14.03.2025 10:12:".
        const std::size_t schrieb = findFolded(text, " schrieb ", true);
        if (schrieb == std::string::npos) return false;
        said = text.substr(schrieb + 9, text.size() - 1 - (schrieb + 9));
        if (startsWithFolded(said.data(), said.data() + said.size(), "am ")) said = text.substr(0, schrieb);
    }
    if (dated) {
        const std::size_t comma = lastCommaOutside(said);
        said = comma == std::string::npos ? std::string() : said.substr(comma + 1);
    }
    std::size_t words = 0;
    name = displayName(said, words);
    return words <= wordsOfAName;
}

const char* attributionLines::write(const messageLine& line, const char* textEnd, readingOutput& out) {
    if (line.isBlank()) return nullptr;
    std::string joined;
    messageLine last = line;
    for (int more = 0;; ++more) {
        const char* end = trimBlanks(last.content, last.end);
        const char* begin = skipBlanks(last.content, end);
        const bool endsInColon = end > begin && end[-1] == ':';
        // Only a run that begins with a date goes on to the next line.
        if (!endsInColon && (more == linesAfterFirst || !beginsWithDate(begin, end))) return nullptr;
        if (joined.size() + static_cast<std::size_t>(end - begin) + 1 > longestAttribution) return nullptr;
        if (!joined.empty()) joined += ' ';
        joined.append(begin, end);
        if (endsInColon) break;
        if (last.isLast(textEnd)) return nullptr;
        last = lineAt(last.next, textEnd);
        if (last.depth != line.depth || last.isBlank()) return nullptr;
    }
    std::string name;
    if (!readAttribution(joined, name) || !introducesEarlierText(last, textEnd)) return nullptr;
    if (!quotedTextLeftOut_ && phrase_ != nullptr && !name.empty()) {
        out.put(line.begin, line.prefixEnd);
        out.putPhrase(phrase_, name.c_str());
        out.put(last.end, last.next);
    }
    return last.next;
}

bool attributionLines::introducesEarlierText(const messageLine& last, const char* textEnd) const {
    messageLine next = last;
    for (int blanks = 0;; ++blanks) {
        if (next.isLast(textEnd)) return false;
        next = lineAt(next.next, textEnd);
        if (next.depth > last.depth) return true;
        if (next.depth != last.depth || !next.isBlank()) break;
        if (blanks == blankLinesBeforeQuote) return false;
    }
    if (next.depth != 0) return false;
    return isOriginalMessageSeparator(next) ||
           (findOriginalMessage_ && originalMessageFinder::beginsAfterAttribution(next, textEnd));
}

}  // namespace postsift
