#include "support/ascii_search.h"

#include <cstring>
#include <string>

#include "support/ascii.h"

namespace postsift {

namespace {

std::string folded(const char* text, std::size_t length) {
    std::string lower(text, length);
    for (char& c : lower) c = static_cast<char>(asciiLowerBytes.of[static_cast<unsigned char>(c)]);
    return lower;
}

}  // namespace

bool containsIgnoringCase(const char* text, std::size_t textLength, const char* part, std::size_t partLength) {
    if (partLength > textLength) return false;
    // Both folded once, then the library's search: it stays linear in the
    // text whatever the two hold, which a byte-by-byte retry would not.
    const std::string lowerText = folded(text, textLength);
    const std::string lowerPart = folded(part, partLength);
    return std::strstr(lowerText.c_str(), lowerPart.c_str()) != nullptr;
}

}  // namespace postsift
