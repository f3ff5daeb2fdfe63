#pragma once
#include <cstddef>

namespace postsift {

struct boundaryValue {
    const char* start = nullptr;
    std::size_t length = 0;
};

// The value of the first "boundary=" parameter (any case) in [from, to):
// a quoted value runs to its closing quote, an unquoted one to the next ';'
// or white space; a value cut off by `to` ends there. Empty when there is
// no such parameter.
boundaryValue findBoundaryParameter(const char* from, const char* to);

// The same in a header item's text, where a quoted value also cuts the item
// text at its closing quote. True only for a non-empty value: an empty
// boundary would be found in every later word and silence the rest of the
// message.
bool findMimeBoundary(char* itemText, boundaryValue& found);

}  // namespace postsift
