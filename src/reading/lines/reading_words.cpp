#include "reading/lines/reading_words.h"

#include <cstring>

#include "reading/lines/line_text.h"

namespace postsift {

bool isContinuingWord(const readingWords& words, const char* begin, const char* end) {
    // The folded copy stays on the stack.
    constexpr std::size_t longest = continuingWords::longest;
    const std::size_t length = static_cast<std::size_t>(end - begin);
    if (words.continuing == nullptr || length == 0 || length > longest) return false;
    char folded[longest + 3];
    folded[0] = ' ';
    for (std::size_t i = 0; i < length; ++i) folded[i + 1] = static_cast<char>(foldedByte(begin[i]));
    folded[length + 1] = ' ';
    folded[length + 2] = '\0';
    return std::strstr(words.continuing, folded) != nullptr;
}

continuingWords::continuingWords(const readingWords& words) : words_(words) {
    if (words.continuing == nullptr) return;
    for (const char* p = words.continuing; *p != '\0';) {
        const char* end = p;
        while (*end != '\0' && *end != ' ') ++end;
        const std::size_t length = static_cast<std::size_t>(end - p);
        if (length > 0 && length <= longest) firstBytes_[length].set(foldedByte(*p));
        p = *end == ' ' ? end + 1 : end;
    }
}

bool continuingWords::has(const char* begin, const char* end) const {
    const std::size_t length = static_cast<std::size_t>(end - begin);
    if (length == 0 || length > longest || !firstBytes_[length].test(foldedByte(*begin))) return false;
    return isContinuingWord(words_, begin, end);
}

const continuingWords& buildContinuingWords() {
    static const continuingWords words(buildReadingWords());
    return words;
}

}  // namespace postsift
