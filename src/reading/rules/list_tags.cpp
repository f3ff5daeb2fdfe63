#include "reading/rules/list_tags.h"

#include <cstring>
#include <utility>
#include <vector>

#include "filter/epost_sift.h"
#include "filter/language_phrases.h"
#include "reading/pass/rule_table.h"
#include "reading/rules/subject_words.h"
#include "support/reserved_names.h"

namespace postsift {

namespace {

// Where the text written from `from` ends its first line: before its CR LF
// or LF, or at the end.
std::size_t contentEnd(readingOutput& out, std::size_t from) {
    const char* text = out.at(0);
    const std::size_t length = out.length();
    const void* feed = std::memchr(text + from, '\n', length - from);
    std::size_t end = feed == nullptr ? length : static_cast<std::size_t>(static_cast<const char*>(feed) - text);
    if (end > from && text[end - 1] == '\r') --end;
    return end;
}

bool sameTag(const char* a, std::size_t aLength, const std::string& b) {
    if (aLength != b.size()) return false;
    for (std::size_t i = 0; i < aLength; ++i)
        if (foldedByte(a[i]) != foldedByte(b[i])) return false;
    return true;
}

}  // namespace

readingRule* makeListTags(const ruleSetting& setting, ruleRoom& room) {
    return room.make<listTags>(setting.filter,
                                      phraseOf(setting.filter, symbolListTag, buildLanguagePhrases().listTag));
}

bool listTags::isSubjectLine(const lineFacts& line, passState& state) const {
    // Signed text read past its "- " is no subject line, nor a quoted one.
    if (line.keywordEnd == nullptr || line.folded) return false;
    if (!line.header && (line.line.depth != 0 || line.line.content != line.line.prefixEnd)) return false;
    const filterEntry* subject = state.subjectSymbol();
    return subject != nullptr && state.keywordSymbol(line) == subject;
}

std::string listTags::takeTag(const lineFacts& line, std::size_t written, readingOutput& out) const {
    // The line as written begins with its keyword, as the line did.
    const std::size_t keywordLength = static_cast<std::size_t>(line.keywordEnd - line.line.begin);
    const std::size_t end = contentEnd(out, written);
    if (end - written < keywordLength || std::memcmp(out.at(written), line.line.begin, keywordLength) != 0)
        return std::string();
    const char* text = out.at(0);
    const char* lineEnd = text + end;
    std::string list;
    std::vector<std::pair<std::size_t, std::size_t>> taken;  // offset, length
    const char* at = skipBlanks(text + written + keywordLength, lineEnd);
    while (at < lineEnd) {
        const char* tagEnd = listTagEnd(at, lineEnd);
        if (tagEnd != nullptr) {
            const char* name = skipBlanks(at + 1, tagEnd - 1);
            const std::size_t nameLength = static_cast<std::size_t>(trimBlanks(name, tagEnd - 1) - name);
            const char* next = skipBlanks(tagEnd, lineEnd);
            if (list.empty() || sameTag(name, nameLength, list)) {
                if (list.empty()) list.assign(name, nameLength);
                taken.emplace_back(static_cast<std::size_t>(at - text), static_cast<std::size_t>(next - at));
            }
            at = next;
            continue;
        }
        const textWord word = wordAt(at, lineEnd);
        if (markerPhrase(filter_, word.begin, word.end) == nullptr) break;
        at = skipBlanks(word.end, lineEnd);
    }
    // Nothing of the sender's after the tags and markers: they stay.
    if (list.empty() || at == lineEnd) return std::string();
    // Written again from the first tag on, at once: a subject of many tags
    // costs no more than its length.
    const std::size_t from = taken.front().first;
    std::string rest;
    std::size_t copied = from;
    for (const auto& tag : taken) {
        rest.append(text + copied, text + tag.first);
        copied = tag.first + tag.second;
    }
    rest.append(text + copied, text + out.length());
    out.erase(from, out.length() - from);
    out.put(rest.data(), rest.data() + rest.size());
    return list;
}

void listTags::sayList(std::size_t written, readingOutput& out) {
    if (phrase_ != nullptr) {
        std::size_t end = contentEnd(out, written);
        const char* text = out.at(0);
        while (end > written && isBlank(text[end - 1])) --end;
        const char last = end > written ? text[end - 1] : ' ';
        std::string said = last == '.' || last == '!' || last == '?' ? " " : ", ";
        const char* filling = std::strstr(phrase_, "%s");
        if (filling == nullptr) {
            said += phrase_;
        } else {
            said.append(phrase_, filling);
            said += list_;
            said += filling + 2;
        }
        out.insert(end, said.c_str());
    }
    list_.clear();
}

void listTags::after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
                     readingOutput& out) {
    hear(line, fate, written, state, out);
    showOnlyLinesHolding(following, list_.empty() ? holdsKeyword : 0u);
}

void listTags::hear(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
                    readingOutput& out) {
    const bool asWritten = fate == lineFate::header || fate == lineFate::keywordLine || fate == lineFate::text;
    if (!list_.empty()) {
        // A folded line of the subject whose tag was taken.
        if (!asWritten || !line.folded) {
            list_.clear();
            return;
        }
    } else {
        if (!asWritten || line.keywordEnd == nullptr || !isSubjectLine(line, state)) return;
        list_ = takeTag(line, written, out);
        if (list_.empty()) return;
    }
    lineFacts next;
    if (line.header && state.lines.next(line, next) && next.line.isFolded()) return;
    sayList(written, out);
}

}  // namespace postsift
