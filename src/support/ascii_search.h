#pragma once
#include <cstddef>

namespace postsift {

// Whether `part` occurs in `text`, the ASCII letters of both compared
// without regard to case; every other byte, the accented letters included,
// must be the same. An empty part occurs in every text.
bool containsIgnoringCase(const char* text, std::size_t textLength, const char* part, std::size_t partLength);

}  // namespace postsift
