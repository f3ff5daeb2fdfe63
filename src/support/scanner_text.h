#pragma once
#include <cstddef>

namespace postsift {

// A flex scanner reads a whole text in place, with no copy of its own and no
// refills, when two NUL bytes follow the text in the same allocation. Both
// scanners read their texts so, and a caller that hands a text over leaves
// room for those bytes.
inline constexpr std::size_t scannerEndBytes = 2;

// Whether flex, which counts its buffer in int, can take a text this long.
bool fitsScanner(std::size_t length);

// Writes the end bytes after the first `length` bytes of `buffer`, which
// must have room for them.
void endForScanner(char* buffer, std::size_t length);

// A copy of the text from malloc, ended for the scanner; null when memory
// ran out or the text is too long for flex.
char* scannerCopy(const char* text, std::size_t length);

}  // namespace postsift
