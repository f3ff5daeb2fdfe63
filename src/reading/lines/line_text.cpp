#include "reading/lines/line_text.h"

#include <cstring>

namespace postsift {

bool startsWithFolded(const char* from, const char* to, const char* lowerLiteral) {
    for (; *lowerLiteral != '\0'; ++from, ++lowerLiteral) {
        if (from >= to || foldedByte(*from) != static_cast<unsigned char>(*lowerLiteral)) return false;
    }
    return true;
}

bool equalsFolded(const char* from, const char* to, const char* lowerLiteral) {
    return static_cast<std::size_t>(to - from) == std::strlen(lowerLiteral) &&
           startsWithFolded(from, to, lowerLiteral);
}

}  // namespace postsift
