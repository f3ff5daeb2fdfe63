#include "support/scanner_text.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace postsift {

bool fitsScanner(std::size_t length) { return length <= static_cast<std::size_t>(INT_MAX) - scannerEndBytes; }

void endForScanner(char* buffer, std::size_t length) {
    for (std::size_t i = 0; i < scannerEndBytes; ++i) buffer[length + i] = '\0';
}

char* scannerCopy(const char* text, std::size_t length) {
    if (!fitsScanner(length)) return nullptr;
    char* copy = static_cast<char*>(std::malloc(length + scannerEndBytes));
    if (copy == nullptr) return nullptr;
    if (length > 0) std::memcpy(copy, text, length);
    endForScanner(copy, length);
    return copy;
}

}  // namespace postsift
