#include "reading/lines/display_name.h"

#include <cstring>

#include "reading/lines/line_text.h"
#include "support/ascii.h"

namespace postsift {

std::string displayName(const char* begin, const char* end, std::size_t& words) {
    std::string name;
    words = 0;
    for (textWord w = wordAt(begin, end); !w.empty(); w = wordAt(w.end, end)) {
        // The word without its quotes: judged by its first other byte, and
        // copied in the runs between them.
        const char* p = w.begin;
        while (p < w.end && *p == '"') ++p;
        if (p == w.end || *p == '<' || *p == '[' || std::memchr(p, '@', static_cast<std::size_t>(w.end - p)) != nullptr)
            continue;
        if (!name.empty()) name += ' ';
        while (p < w.end) {
            const void* quote = std::memchr(p, '"', static_cast<std::size_t>(w.end - p));
            const char* runEnd = quote != nullptr ? static_cast<const char*>(quote) : w.end;
            name.append(p, runEnd);
            p = runEnd < w.end ? runEnd + 1 : w.end;
        }
        ++words;
    }
    while (!name.empty() && (name.back() == ',' || name.back() == ';' || name.back() == '\'')) name.pop_back();
    bool hasLetter = false;
    for (unsigned char c : name) hasLetter = hasLetter || isAsciiLetter(c) || c >= 128;
    if (!hasLetter) name.clear();
    return name;
}

std::string displayName(const std::string& text, std::size_t& words) {
    return displayName(text.data(), text.data() + text.size(), words);
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
