#include "reading/rules/reply_markers.h"

#include <cstring>
#include <string>
#include <vector>

#include "filter/epost_sift.h"
#include "reading/pass/rule_table.h"
#include "reading/rules/subject_words.h"

namespace postsift {

readingRule* makeReplyMarkers(const ruleSetting& setting, ruleRoom& room) {
    return room.make<replyMarkers>(setting.filter);
}

lineTaken replyMarkers::take(const lineFacts& line, passState& state, readingOutput& out) {
    // Signed text read past its "- " is no subject line.
    const messageLine& text = line.line;
    if (!line.header && text.content != text.prefixEnd) return lineTaken::passed();
    if (line.keywordEnd == nullptr) return lineTaken::passed();
    const filterEntry* subject = state.subjectSymbol();
    if (subject == nullptr || state.keywordSymbol(line) != subject) return lineTaken::passed();

    std::vector<const char*> spoken;
    const char* copied = text.begin;
    const char* at = skipBlanks(line.keywordEnd, text.end);
    while (at < text.end) {
        const char* tagEnd = listTagEnd(at, text.end);
        if (tagEnd != nullptr) {
            at = skipBlanks(tagEnd, text.end);
            continue;
        }
        const textWord word = wordAt(at, text.end);
        const char* phrase = markerPhrase(filter_, word.begin, word.end);
        if (phrase == nullptr) break;
        const char* following = skipBlanks(word.end, text.end);
        bool repeated = false;
        for (const char* earlier : spoken) repeated = repeated || std::strcmp(earlier, phrase) == 0;
        if (repeated) {
            out.put(copied, word.begin);
            copied = following;
        } else {
            spoken.push_back(phrase);
            const std::string key = markerKey(word.begin, word.end);
            if (key.size() != word.length()) {
                out.put(copied, word.begin);
                out.put(key.c_str());
                copied = word.end;
            }
        }
        at = following;
    }
    out.put(copied, text.next);
    return lineTaken::upTo(text.next);
}

}  // namespace postsift
