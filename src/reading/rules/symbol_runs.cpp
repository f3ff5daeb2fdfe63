#include "reading/rules/symbol_runs.h"

#include <cstring>
#include <string>

#include "filter/epost_sift.h"
#include "reading/lines/line_text.h"
#include "reading/pass/rule_table.h"
#include "support/ascii.h"

namespace postsift {

namespace {

const std::size_t shortestRun = 3;

// A sign between quotes is what the writer is talking about ("the '*' key",
// "type \"+=\""), never decoration: the word is quoted signs, perhaps
// followed by punctuation that closes the sentence or clause.
bool isQuotedSign(const char* word, std::size_t length) {
    while (length > 0 && std::strchr(".,;:!?", word[length - 1]) != nullptr) --length;
    if (length < 3 || (word[0] != '\'' && word[0] != '"') || word[length - 1] != word[0]) return false;
    return std::memchr(word + 1, word[0], length - 2) == nullptr;
}

// The bytes a run is made of: below 128, no letter, no digit, no blank.
// From a table, as the search asks it of a third of every line's bytes.
constexpr byteTable<bool> signBytes = tableOfBytes<bool>([](unsigned char c) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool digit = c >= '0' && c <= '9';
    return c < 128 && !letter && !digit && c != ' ' && c != '\t';
});
bool isSign(char c) { return signBytes.of[static_cast<unsigned char>(c)]; }

// A sign of the first three signs in a row in [from, to), as every run
// holds; null when there are none. Any three bytes in a row hold one of
// every third byte, so only those are looked at until a sign is met: most
// lines are turned away after a third of their bytes.
const char* threeSigns(const char* from, const char* to) {
    const std::size_t length = static_cast<std::size_t>(to - from);
    for (std::size_t i = 2; i < length; i += 3) {
        const char* p = from + i;
        if (!isSign(*p)) continue;
        const char* begin = p;
        while (begin > from && p - begin < 2 && isSign(begin[-1])) --begin;
        const char* end = p + 1;
        while (end < to && end - begin < 3 && isSign(*end)) ++end;
        if (end - begin >= 3) return p;
    }
    return nullptr;
}

}  // namespace

readingRule* makeSymbolRuns(const ruleSetting& setting, ruleRoom& room) {
    return room.make<symbolRuns>(setting.filter);
}

bool symbolRuns::isRun(const char* word, std::size_t length) const {
    if (length < shortestRun) return false;
    bool sentencePunctuation = true;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(word[i]);
        // Bytes above ASCII are letters, or signs a voice says as words.
        if (isAsciiLetter(c) || isAsciiDigit(c) || c >= 128) return false;
        sentencePunctuation = sentencePunctuation && (c == '.' || c == '!' || c == '?');
    }
    if (isQuotedSign(word, length)) return false;
    if (sentencePunctuation || filter_.filterList == nullptr) return !sentencePunctuation;
    const std::string key(word, length);
    return filter_.filterListIndex.find(filter_.filterList, makeSearchWord(key.c_str())) == nullptr;
}

void symbolRuns::after(const lineFacts&, lineFate fate, std::size_t written, passState&, readingOutput& out) {
    if (fate != lineFate::text) return;
    // Most lines hold no three signs in a row anywhere in what was written
    // for them, their line end aside: those need not be split into prefix
    // and content to be turned away.
    const char* writtenEnd = out.at(out.length());
    if (writtenEnd > out.at(written) && writtenEnd[-1] == '\n') {
        --writtenEnd;
        if (writtenEnd > out.at(written) && writtenEnd[-1] == '\r') --writtenEnd;
    }
    if (threeSigns(out.at(written), writtenEnd) != nullptr) quietRuns(written, out);
}

// Takes the runs out of what was written for a line from `written` on, out
// of the way of the look above, which turns most lines away.
void symbolRuns::quietRuns(std::size_t written, readingOutput& out) const {
    const messageLine line = lineAt(out.at(written), out.at(out.length()));
    const std::size_t content = written + static_cast<std::size_t>(line.prefixEnd - line.begin);
    std::size_t end = written + static_cast<std::size_t>(line.end - line.begin);
    // Only a word that holds three signs in a row may be a run.
    for (std::size_t from = content;;) {
        const char* text = out.at(0);
        const char* signs = threeSigns(text + from, text + end);
        if (signs == nullptr) break;
        const char* begin = signs;
        while (begin > text + content && !isBlank(begin[-1])) --begin;
        const char* wordEnd = signs;
        while (wordEnd < text + end && !isBlank(*wordEnd)) ++wordEnd;
        const std::size_t at = static_cast<std::size_t>(begin - text);
        const std::size_t length = static_cast<std::size_t>(wordEnd - begin);
        if (isRun(begin, length)) {
            out.erase(at, length);
            end -= length;
            from = at;
        } else {
            from = at + length;
        }
    }
}

}  // namespace postsift
