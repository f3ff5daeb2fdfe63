#include "reading/lines/display_name.h"

#include <cstring>

#include "reading/lines/line_text.h"
#include "support/ascii.h"

namespace postsift {

std::string displayName(const std::string& text, std::size_t& words) {
    std::string name;
    words = 0;
    const char* end = text.data() + text.size();
    for (textWord w = wordAt(text.data(), end); !w.empty(); w = wordAt(w.end, end)) {
        std::string word;
        for (const char* p = w.begin; p < w.end; ++p)
            if (*p != '"') word += *p;
        if (word.empty() || word.find('@') != std::string::npos || word[0] == '<' || word[0] == '[') continue;
        if (!name.empty()) name += ' ';
        name += word;
        ++words;
    }
    while (!name.empty() && (name.back() == ',' || name.back() == ';' || name.back() == '\'')) name.pop_back();
    bool hasLetter = false;
    for (unsigned char c : name) hasLetter = hasLetter || isAsciiLetter(c) || c >= 128;
    if (!hasLetter) name.clear();
    return name;
}

std::string senderName(const std::string& value) {
    std::size_t words = 0;
    std::string name = displayName(value, words);
    if (!name.empty()) return name;
    const std::size_t at = value.find('@');
    if (at == std::string::npos) return name;
    std::size_t begin = at;
    while (begin > 0 && std::strchr(" \t<[:\"", value[begin - 1]) == nullptr) --begin;
    std::size_t end = at;
    while (end < value.size() && std::strchr(" \t>]\"", value[end]) == nullptr) ++end;
    return value.substr(begin, end - begin);
}

}  // namespace postsift
