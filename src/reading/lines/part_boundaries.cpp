#include "reading/lines/part_boundaries.h"

#include "reading/lines/mime_boundary.h"

namespace postsift {

void partBoundaries::observe(const messageLine& line) {
    const boundaryValue value = findBoundaryParameter(line.begin, line.end);
    if (value.length > 0) boundaries_.emplace(value.start, value.length);
}

bool partBoundaries::isBoundaryLine(const messageLine& line) const {
    if (boundaries_.empty() || line.end - line.begin < 3 || line.begin[0] != '-' || line.begin[1] != '-') return false;
    const char* from = line.begin + 2;
    const char* to = trimBlanks(from, line.end);
    if (boundaries_.count(std::string(from, to)) != 0) return true;
    return to - from > 2 && to[-1] == '-' && to[-2] == '-' && boundaries_.count(std::string(from, to - 2)) != 0;
}

}  // namespace postsift
