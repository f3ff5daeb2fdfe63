#include "heard_words.h"

#include <algorithm>

#include "ascii_text.h"
#include "raw_markup.h"

namespace postsift::host {

namespace {

// So many trial windows for one line: enough for any real message; a line
// of nothing but the commonest word of a huge text would otherwise cost
// the square of the text's size.
constexpr std::size_t mostTrials = 4000;

bool isLink(std::string_view token) {
    return token.find("://") != std::string_view::npos || startsWithNoCase(token, "www.");
}

// "http://www.example.org/path?x" is "example.org".
std::string_view hostOf(std::string_view link) {
    const std::size_t scheme = link.find("://");
    if (scheme != std::string_view::npos) link.remove_prefix(scheme + 3);
    if (startsWithNoCase(link, "www.")) link.remove_prefix(4);
    std::size_t end = 0;
    while (end < link.size() && link[end] != '/' && link[end] != '?' && link[end] != '#' && link[end] != ':' &&
           link[end] != '>' && link[end] != ')' && link[end] != '"')
        ++end;
    return link.substr(0, end);
}

}  // namespace

std::size_t wordCount(std::string_view text) {
    std::size_t words = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (isAsciiAlnum(text[i]) && (i == 0 || !isAsciiAlnum(text[i - 1]))) ++words;
    return words;
}

std::vector<std::string> wordsOf(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isAsciiAlnum(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isAsciiAlnum(text[end])) ++end;
        words.push_back(asciiLowered(text.substr(i, end - i)));
        i = end;
    }
    return words;
}

std::vector<std::string> writtenWords(std::string_view written) {
    const std::string untagged = withoutTags(written);
    const std::string_view line = untagged;
    std::string reduced;
    std::size_t i = 0;
    while (i < line.size()) {
        std::size_t end = i;
        while (end < line.size() && !isBlank(line[end])) ++end;
        std::string_view token = line.substr(i, end - i);
        std::size_t lead = 0;
        while (lead < token.size() && !isAsciiAlnum(token[lead])) ++lead;
        if (isLink(token.substr(lead))) {
            reduced.append(token.substr(0, lead));
            reduced.append(hostOf(token.substr(lead)));
        } else {
            reduced.append(token);
        }
        reduced += ' ';
        i = end;
        while (i < line.size() && isBlank(line[i])) ++i;
    }
    return wordsOf(reduced);
}

heardWords::heardWords(std::string_view spoken) {
    const std::vector<std::string> words = wordsOf(spoken);
    count_ = words.size();
    for (std::size_t i = 0; i < words.size(); ++i) places_[words[i]].push_back(i);
}

bool heardWords::hears(const std::vector<std::string>& words) const {
    if (words.empty()) return true;
    const std::size_t need = (2 * words.size() + 2) / 3;
    const std::size_t window = 2 * words.size() + 8;

    // The places of each word, null for a word never spoken.
    std::vector<const std::vector<std::size_t>*> places(words.size(), nullptr);
    std::size_t spokenWords = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto found = places_.find(words[i]);
        if (found == places_.end()) continue;
        places[i] = &found->second;
        ++spokenWords;
    }
    if (spokenWords < need) return false;

    // Windows are tried around each place of the line's rarest words: a
    // heard line has them near its other words.
    std::vector<std::size_t> anchors;
    for (std::size_t i = 0; i < words.size(); ++i)
        if (places[i] != nullptr) anchors.push_back(i);
    std::sort(anchors.begin(), anchors.end(),
              [&](std::size_t a, std::size_t b) { return places[a]->size() < places[b]->size(); });
    anchors.resize(std::min<std::size_t>(anchors.size(), 3));

    std::size_t trials = 0;
    for (const std::size_t anchor : anchors) {
        for (const std::size_t place : *places[anchor]) {
            if (++trials > mostTrials) return false;
            const std::size_t lead = 2 * anchor + 4;
            const std::size_t start = place > lead ? place - lead : 0;
            const std::size_t end = start + window;
            std::size_t cursor = start;
            std::size_t found = 0;
            for (std::size_t i = 0; i < words.size(); ++i) {
                if (places[i] == nullptr) continue;
                const auto next = std::lower_bound(places[i]->begin(), places[i]->end(), cursor);
                if (next == places[i]->end() || *next >= end) continue;
                cursor = *next + 1;
                ++found;
            }
            if (found >= need) return true;
        }
    }
    return false;
}

}  // namespace postsift::host
