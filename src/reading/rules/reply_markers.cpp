#include "reading/rules/reply_markers.h"

#include <cstring>
#include <string>
#include <vector>

#include "filter/epost_sift.h"
#include "support/reserved_names.h"

namespace postsift {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

replyMarkers::replyMarkers(epostSift& filter) : filter_(filter) {}

const char* replyMarkers::phraseOfMarker(const char* word, const char* end) {
    if (end[-1] != ':' || filter_.filterList == nullptr) return nullptr;
    const std::string key(word, end);
    const filterEntry* entry = findException(filter_.filterList, key.c_str());
    if (entry == nullptr || (entry->kind() != PLAIN && entry->kind() != REPLACE_WORD)) return nullptr;
    const char* phrase = entry->value();
    return phrase != nullptr && std::strchr(phrase, '%') == nullptr ? phrase : nullptr;
}

bool replyMarkers::write(const messageLine& line, readingOutput& out) {
    // The subject is the item whose keyword the "[SUBJECT]" symbol lists, as
    // the header handling finds it.
    const char* keyword = nullptr;
    const char* afterKeyword = headerKeywordEnd(line, keyword);
    if (afterKeyword == nullptr || filter_.symbolTable == nullptr) return false;
    if (!subjectLookedUp_) {
        subjectSymbol_ = findException(filter_.symbolTable, symbolSubject);
        subjectLookedUp_ = true;
    }
    if (subjectSymbol_ == nullptr) return false;
    const std::string name(keyword, afterKeyword);
    if (findSymbol(filter_.symbolTable, name.c_str()) != subjectSymbol_) return false;

    std::vector<const char*> spoken;
    const char* copied = line.begin;
    const char* p = skipBlanks(afterKeyword, line.end);
    while (p < line.end) {
        const char* wordEnd = p;
        while (wordEnd < line.end && !isBlank(*wordEnd)) ++wordEnd;
        const char* phrase = phraseOfMarker(p, wordEnd);
        if (phrase == nullptr) break;
        const char* after = skipBlanks(wordEnd, line.end);
        bool repeated = false;
        for (const char* earlier : spoken) repeated = repeated || std::strcmp(earlier, phrase) == 0;
        if (repeated) {
            out.put(copied, p);
            copied = after;
        } else {
            spoken.push_back(phrase);
        }
        p = after;
    }
    out.put(copied, line.next);
    return true;
}

}  // namespace postsift
