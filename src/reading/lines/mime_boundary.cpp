#include "reading/lines/mime_boundary.h"

#include <cstring>

#include "reading/lines/message_line.h"
#include "support/ascii.h"

namespace postsift {
namespace {

constexpr char parameterName[] = "boundary=";

// The first "boundary=" in any case, or null. An '=' is rare in a line and
// memchr finds one fast, so the search goes from '=' to '=' and looks at
// what stands before each.
const char* findParameter(const char* from, const char* to) {
    const std::size_t before = sizeof parameterName - 2;  // the bytes before the '='
    for (const char* p = from; p < to; ++p) {
        const char* equals = static_cast<const char*>(std::memchr(p, '=', static_cast<std::size_t>(to - p)));
        if (equals == nullptr) return nullptr;
        if (static_cast<std::size_t>(equals - from) >= before && startsWithFolded(equals - before, to, parameterName))
            return equals + 1;
        p = equals;
    }
    return nullptr;
}

}  // namespace

boundaryValue findBoundaryParameter(const char* from, const char* to) {
    boundaryValue found;
    const char* value = findParameter(from, to);
    if (value == nullptr) return found;
    const char* end = value;
    if (value < to && *value == '"') {
        ++value;
        end = static_cast<const char*>(std::memchr(value, '"', static_cast<std::size_t>(to - value)));
        if (end == nullptr) end = to;
    } else {
        while (end < to && *end != ';' && !isAsciiSpace(static_cast<unsigned char>(*end))) ++end;
    }
    found.start = value;
    found.length = static_cast<std::size_t>(end - value);
    return found;
}

bool findMimeBoundary(char* itemText, boundaryValue& found) {
    found = boundaryValue();
    if (itemText == nullptr) return false;
    found = findBoundaryParameter(itemText, itemText + std::strlen(itemText));
    if (found.start == nullptr) return false;
    // A quoted value's closing quote, if there is one, ends the item text.
    char* after = itemText + (found.start + found.length - itemText);
    if (found.start[-1] == '"' && *after == '"') *after = '\0';
    return found.length > 0;
}

}  // namespace postsift
