#pragma once
#include <cstddef>

namespace postsift {

struct boundaryValue {
    const char* start = nullptr;
    std::size_t length = 0;
};

// Finds the "boundary=" parameter (any case) in a header item's text.
// A quoted value runs to its closing quote, where the item text is cut; an
// unquoted one to the next ';' or white space. A value cut off by the end of
// the text ends there. True only for a non-empty value: an empty boundary
// would be found in every later word and silence the rest of the message.
bool findMimeBoundary(char* itemText, boundaryValue& found);

}  // namespace postsift
