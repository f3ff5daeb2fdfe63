#include "reading/rules/reply_markers.h"

#include <cstring>
#include <string>
#include <vector>

#include "filter/epost_sift.h"
#include "reading/pass/rule_table.h"

namespace postsift {

std::unique_ptr<readingRule> makeReplyMarkers(const ruleSetting& setting) {
    return std::make_unique<replyMarkers>(setting.filter);
}

const char* replyMarkers::phraseOfMarker(const char* word, const char* end) {
    if (end[-1] != ':' || filter_.filterList == nullptr) return nullptr;
    const std::string key(word, end);
    const filterEntry* entry = findException(filter_.filterList, key.c_str());
    if (entry == nullptr || (entry->kind() != PLAIN && entry->kind() != REPLACE_WORD)) return nullptr;
    const char* phrase = entry->value();
    return phrase != nullptr && std::strchr(phrase, '%') == nullptr ? phrase : nullptr;
}

lineTaken replyMarkers::take(const lineFacts& line, passState& state, readingOutput& out) {
    // Signed text read past its "- " is no subject line.
    const messageLine& text = line.line;
    if (!line.header && text.content != text.prefixEnd) return lineTaken::passed();
    if (line.keywordEnd == nullptr) return lineTaken::passed();
    const filterEntry* subject = state.subjectSymbol();
    if (subject == nullptr) return lineTaken::passed();
    const std::string name(line.keyword, line.keywordEnd);
    if (findSymbol(filter_.symbolTable, name.c_str()) != subject) return lineTaken::passed();

    std::vector<const char*> spoken;
    const char* copied = text.begin;
    textWord word = wordAt(line.keywordEnd, text.end);
    while (!word.empty()) {
        const char* phrase = phraseOfMarker(word.begin, word.end);
        if (phrase == nullptr) break;
        const textWord following = wordAt(word.end, text.end);
        bool repeated = false;
        for (const char* earlier : spoken) repeated = repeated || std::strcmp(earlier, phrase) == 0;
        if (repeated) {
            out.put(copied, word.begin);
            copied = following.begin;
        } else {
            spoken.push_back(phrase);
        }
        word = following;
    }
    out.put(copied, text.next);
    return lineTaken::upTo(text.next);
}

}  // namespace postsift
