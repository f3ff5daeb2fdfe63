#include "reading/rules/symbol_runs.h"

#include <cstring>
#include <string>

#include "filter/epost_sift.h"
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

}  // namespace

std::unique_ptr<readingRule> makeSymbolRuns(const ruleSetting& setting) {
    return std::make_unique<symbolRuns>(setting.filter);
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
    const messageLine line = lineAt(out.at(written), out.at(out.length()));
    std::size_t p = written + static_cast<std::size_t>(line.prefixEnd - line.begin);
    std::size_t end = written + static_cast<std::size_t>(line.end - line.begin);
    for (;;) {
        const char* text = out.at(0);
        const textWord word = wordAt(text + p, text + end);
        if (word.empty()) break;
        const std::size_t begin = static_cast<std::size_t>(word.begin - text);
        if (isRun(word.begin, word.length())) {
            out.erase(begin, word.length());
            end -= word.length();
            p = begin;
        } else {
            p = begin + word.length();
        }
    }
}

}  // namespace postsift
