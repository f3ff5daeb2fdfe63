#include "reading/lines/display_name.h"

#include "support/ascii.h"

namespace postsift {

std::string displayName(const std::string& text, std::size_t& words) {
    std::string name;
    words = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        std::size_t end = i;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
        std::string word;
        for (std::size_t k = i; k < end; ++k)
            if (text[k] != '"') word += text[k];
        i = end;
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
