#pragma once
#include <cstddef>

namespace postsift::platform {

// Character sets in which a shift sequence changes what the bytes after it
// mean: UTF-7's base64 runs ('+' up to the first byte outside base64),
// ISO-2022's escape sequences and SO/SI, HZ's "~{" and "~}".
enum class shiftScheme { utf7, iso2022, hz };

// One unit of such a text: a shift sequence, a byte (or HZ pair) of a
// shifted run, or a character of unshifted text.
struct shiftUnit {
    std::size_t length = 0;  // 0: cut off by the end of the bytes
    bool text = false;       // an ASCII character of unshifted text ...
    char character = 0;      // ... this one ("~~" in HZ is a '~')
};

// Reads the unit at `p` (`left` bytes remain, at least one), changing
// `shifted` as the unit does. Only the shift sequences that the character
// set defines shift; a stray ESC or '~' is a unit of its own that is no
// text, and the bytes after it are read as they come.
shiftUnit readShiftUnit(shiftScheme scheme, const char* p, std::size_t left, bool& shifted);

// Where a piece of such a text may end so that the next piece starts
// unshifted, as a converter that keeps no state from one call to the next
// needs: after the last line feed (mail returns to the unshifted state
// before a line ends), else after the last byte read unshifted. `length`
// when the piece has no such place: one shifted run longer than the piece.
std::size_t unshiftedEnd(shiftScheme scheme, const char* in, std::size_t length);

}  // namespace postsift::platform
