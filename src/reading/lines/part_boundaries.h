#pragma once
#include <string>
#include <unordered_map>

#include "reading/lines/message_line.h"

namespace postsift {

// The MIME boundaries a message declares, so that the end of a part can be
// told while reading line by line: every "boundary=" parameter met in any
// line (the leading header or a part's header), and the lines that begin
// with "--" and one of them (and perhaps "--" after it, for the last part).
// A set, so that a message full of boundaries still costs one look-up a line.
class partBoundaries {
public:
    void observe(const messageLine& line);
    // Whether `line` is a boundary line; with `asOf`, whether it was one
    // when the pass stood at the line that begins there: of a boundary that
    // a line up to that one declared.
    bool isBoundaryLine(const messageLine& line, const char* asOf = nullptr) const;

private:
    bool declared(const char* from, const char* to, const char* asOf) const;

    // Each boundary, with where the line that first declared it begins.
    std::unordered_map<std::string, const char*> boundaries_;
};

}  // namespace postsift
