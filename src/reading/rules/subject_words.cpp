#include "reading/rules/subject_words.h"

#include <cstring>

#include "filter/epost_sift.h"
#include "reading/lines/line_text.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// Longer than any list's name that mail programs put in a subject.
const std::size_t longestTag = 40;

bool isLetterByte(char c) {
    const unsigned char b = static_cast<unsigned char>(c);
    return isAsciiLetter(b) || b >= 0xc0;
}

}  // namespace

std::string markerKey(const char* word, const char* end) {
    if (end - word < 4 || end[-1] != ':') return std::string(word, end);
    // "NAME[digits]:" or "NAME^digits:", NAME of letters.
    const char* digits = end - 1;
    if (digits[-1] == ']') --digits;
    const char* first = digits;
    while (first > word && isAsciiDigit(static_cast<unsigned char>(first[-1]))) --first;
    if (first == digits || first - word < 2) return std::string(word, end);
    const char open = first[-1];
    if (!((open == '[' && *digits == ']') || (open == '^' && *digits == ':'))) return std::string(word, end);
    const char* name = first - 1;
    for (const char* p = word; p < name; ++p)
        if (!isLetterByte(*p)) return std::string(word, end);
    return std::string(word, name) + ":";
}

const char* markerPhrase(epostSift& filter, const char* word, const char* end) {
    if (end == word || end[-1] != ':' || filter.filterList == nullptr) return nullptr;
    const std::string key = markerKey(word, end);
    const filterEntry* entry = findException(filter.filterList, makeSearchWord(key.c_str()), filter.filterListIndex);
    if (entry == nullptr || (entry->kind() != PLAIN && entry->kind() != REPLACE_WORD)) return nullptr;
    const char* phrase = entry->value();
    return phrase != nullptr && std::strchr(phrase, '%') == nullptr ? phrase : nullptr;
}

const char* listTagEnd(const char* from, const char* end) {
    if (from == end || *from != '[') return nullptr;
    bool letter = false;
    for (const char* p = from + 1; p < end && static_cast<std::size_t>(p - from) <= longestTag; ++p) {
        if (*p == ']') {
            const bool alone = p + 1 == end || isBlank(p[1]);
            return letter && alone ? p + 1 : nullptr;
        }
        if (*p == '[' || *p == ':' || *p == '\r' || *p == '\n') return nullptr;
        letter = letter || isLetterByte(*p);
    }
    return nullptr;
}

}  // namespace postsift
