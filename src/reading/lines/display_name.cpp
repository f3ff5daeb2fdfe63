#include "reading/lines/display_name.h"

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

}  // namespace postsift
