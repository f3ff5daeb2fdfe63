#include "reading/lines/reading_words.h"

#include <cstring>

#include "reading/lines/line_text.h"

namespace postsift {

bool isContinuingWord(const readingWords& words, const char* begin, const char* end) {
    // The longest continuing word of any language is short: anything
    // longer is no such word, and the folded copy stays on the stack.
    constexpr std::size_t longest = 15;
    const std::size_t length = static_cast<std::size_t>(end - begin);
    if (words.continuing == nullptr || length == 0 || length > longest) return false;
    char folded[longest + 3];
    folded[0] = ' ';
    for (std::size_t i = 0; i < length; ++i) folded[i + 1] = static_cast<char>(foldedByte(begin[i]));
    folded[length + 1] = ' ';
    folded[length + 2] = '\0';
    return std::strstr(words.continuing, folded) != nullptr;
}

}  // namespace postsift
