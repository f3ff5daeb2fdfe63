#include "email/mime_boundary.h"

#include <cstring>

#include "support/ascii.h"

namespace postsift {
namespace {

constexpr char parameterName[] = "boundary=";

bool startsWithFolded(const char* text, const char* lowerName) {
    for (; *lowerName != '\0'; ++text, ++lowerName)
        if (asciiLower(static_cast<unsigned char>(*text)) != static_cast<unsigned char>(*lowerName))
            return false;
    return true;
}

}  // namespace

bool findMimeBoundary(char* itemText, boundaryValue& found) {
    found = boundaryValue();
    if (itemText == nullptr) return false;
    char* value = nullptr;
    for (char* at = itemText; *at != '\0'; ++at) {
        if (startsWithFolded(at, parameterName)) {
            value = at + sizeof parameterName - 1;
            break;
        }
    }
    if (value == nullptr) return false;
    if (*value == '"') {
        char* start = value + 1;
        char* close = std::strchr(start, '"');
        found.start = start;
        found.length = close != nullptr ? static_cast<std::size_t>(close - start) : std::strlen(start);
        if (close != nullptr) *close = '\0';
    } else {
        std::size_t length = 0;
        while (value[length] != '\0' && value[length] != ';' &&
               !isAsciiSpace(static_cast<unsigned char>(value[length])))
            ++length;
        found.start = value;
        found.length = length;
    }
    return found.length > 0;
}

}  // namespace postsift
