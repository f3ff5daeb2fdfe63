#include "reading/lines/part_boundaries.h"

#include "reading/lines/mime_boundary.h"

namespace postsift {

void partBoundaries::observe(const messageLine& line) {
    const boundaryValue value = findBoundaryParameter(line.begin, line.end);
    if (value.length > 0) boundaries_.emplace(std::string(value.start, value.length), line.begin);
}

bool partBoundaries::declared(const char* from, const char* to, const char* asOf) const {
    const auto found = boundaries_.find(std::string(from, to));
    return found != boundaries_.end() && (asOf == nullptr || found->second <= asOf);
}

bool partBoundaries::isBoundaryLine(const messageLine& line, const char* asOf) const {
    if (boundaries_.empty() || line.end - line.begin < 3 || line.begin[0] != '-' || line.begin[1] != '-') return false;
    const char* from = line.begin + 2;
    const char* to = trimBlanks(from, line.end);
    if (declared(from, to, asOf)) return true;
    return to - from > 2 && to[-1] == '-' && to[-2] == '-' && declared(from, to - 2, asOf);
}

}  // namespace postsift
