#include "reading/lines/line_text.h"

#include <cstring>

namespace postsift {

bool startsWithFolded(const char* from, const char* to, const char* lowerLiteral) {
    for (; *lowerLiteral != '\0'; ++from, ++lowerLiteral) {
        if (from >= to || foldedByte(*from) != static_cast<unsigned char>(*lowerLiteral)) return false;
    }
    return true;
}

const char* findFolded(const char* from, const char* to, const char* lowerLiteral) {
    const std::size_t length = std::strlen(lowerLiteral);
    if (length == 0) return from;
    if (static_cast<std::size_t>(to - from) < length) return nullptr;
    const char* const last = to - length;  // the last place it may begin
    // Its first byte is looked for in each of its cases, each from where
    // that case was last found: one walk over the text for each.
    const auto next = [last](const char* p, char c) -> const char* {
        if (p > last) return nullptr;
        return static_cast<const char*>(std::memchr(p, c, static_cast<std::size_t>(last - p) + 1));
    };
    const char lower = lowerLiteral[0];
    const char upper = static_cast<char>(static_cast<unsigned char>(lower) - 0x20);  // a capital, if it folds to it
    const bool twoCases = static_cast<unsigned char>(lower) >= 0x20 && foldedByte(upper) == static_cast<unsigned char>(lower);
    const char* lowerAt = next(from, lower);
    const char* upperAt = twoCases ? next(from, upper) : nullptr;
    while (lowerAt != nullptr || upperAt != nullptr) {
        const bool lowerFirst = upperAt == nullptr || (lowerAt != nullptr && lowerAt < upperAt);
        const char* at = lowerFirst ? lowerAt : upperAt;
        if (startsWithFolded(at, to, lowerLiteral)) return at;
        if (lowerFirst)
            lowerAt = next(at + 1, lower);
        else
            upperAt = next(at + 1, upper);
    }
    return nullptr;
}

bool equalsFolded(const char* from, const char* to, const char* lowerLiteral) {
    return static_cast<std::size_t>(to - from) == std::strlen(lowerLiteral) &&
           startsWithFolded(from, to, lowerLiteral);
}

}  // namespace postsift
