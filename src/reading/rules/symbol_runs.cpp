#include "reading/rules/symbol_runs.h"

#include <string>

#include "filter/epost_sift.h"
#include "reading/lines/message_line.h"
#include "support/ascii.h"

namespace postsift {

namespace {

const std::size_t shortestRun = 3;

}  // namespace

bool symbolRuns::isRun(const char* word, std::size_t length) const {
    if (length < shortestRun) return false;
    bool sentencePunctuation = true;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(word[i]);
        // Bytes above ASCII are letters, or signs a voice says as words.
        if (isAsciiLetter(c) || isAsciiDigit(c) || c >= 128) return false;
        sentencePunctuation = sentencePunctuation && (c == '.' || c == '!' || c == '?');
    }
    if (sentencePunctuation || filter_.filterList == nullptr) return !sentencePunctuation;
    const std::string key(word, length);
    return filter_.filterListIndex.find(filter_.filterList, makeSearchWord(key.c_str())) == nullptr;
}

void symbolRuns::quiet(readingOutput& out, std::size_t start) {
    const messageLine line = lineAt(out.at(start), out.at(out.length()));
    std::size_t p = start + static_cast<std::size_t>(line.prefixEnd - line.begin);
    std::size_t end = start + static_cast<std::size_t>(line.end - line.begin);
    while (p < end) {
        const char* text = out.at(0);
        while (p < end && (text[p] == ' ' || text[p] == '\t')) ++p;
        std::size_t wordEnd = p;
        while (wordEnd < end && text[wordEnd] != ' ' && text[wordEnd] != '\t') ++wordEnd;
        if (isRun(text + p, wordEnd - p)) {
            out.erase(p, wordEnd - p);
            end -= wordEnd - p;
        } else {
            p = wordEnd;
        }
    }
}

}  // namespace postsift
