#include "email/part_boundaries.h"

#include <cstring>

#include "support/ascii.h"

namespace postsift {

namespace {

const char parameter[] = "boundary=";

// The first "boundary=" of the line in any case, or null. Every line of a
// message is searched: an '=' is rare in a line, and memchr finds one fast,
// so the search goes from '=' to '=' and looks at what stands before each.
const char* findParameter(const char* from, const char* to) {
    const std::size_t before = sizeof parameter - 2;  // the bytes before the '='
    for (const char* p = from; p < to; ++p) {
        const char* equals = static_cast<const char*>(std::memchr(p, '=', static_cast<std::size_t>(to - p)));
        if (equals == nullptr) return nullptr;
        if (static_cast<std::size_t>(equals - from) >= before && startsWithFolded(equals - before, to, parameter))
            return equals + 1;
        p = equals;
    }
    return nullptr;
}

}  // namespace

void partBoundaries::observe(const messageLine& line) {
    const char* value = findParameter(line.begin, line.end);
    if (value == nullptr) return;
    const char* end = value;
    if (value < line.end && *value == '"') {
        ++value;
        end = value;
        while (end < line.end && *end != '"') ++end;
    } else {
        while (end < line.end && *end != ';' && *end != ' ' && *end != '\t') ++end;
    }
    if (end > value) boundaries_.emplace(value, end);
}

bool partBoundaries::isBoundaryLine(const messageLine& line) const {
    if (boundaries_.empty() || line.end - line.begin < 3 || line.begin[0] != '-' || line.begin[1] != '-') return false;
    const char* from = line.begin + 2;
    const char* to = trimBlanks(from, line.end);
    if (boundaries_.count(std::string(from, to)) != 0) return true;
    return to - from > 2 && to[-1] == '-' && to[-2] == '-' && boundaries_.count(std::string(from, to - 2)) != 0;
}

}  // namespace postsift
