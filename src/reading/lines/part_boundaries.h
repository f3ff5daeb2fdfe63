#pragma once
#include <string>
#include <unordered_set>

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
    bool isBoundaryLine(const messageLine& line) const;

private:
    std::unordered_set<std::string> boundaries_;
};

}  // namespace postsift
