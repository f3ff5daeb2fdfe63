#pragma once
#include <cstddef>

namespace postsift::platform {

// Character sets in which a shift sequence changes what the bytes after it
// mean: UTF-7's base64 runs ('+' up to the first byte outside base64),
// ISO-2022's escape sequences and SO/SI, HZ's "~{" and "~}".
enum class shiftScheme { utf7, iso2022, hz };

// Where a piece of such a text may end so that the next piece starts
// unshifted, as a converter that keeps no state from one call to the next
// needs: after the last line feed (mail returns to the unshifted state
// before a line ends), else after the last byte read unshifted. `length`
// when the piece has no such place: one shifted run longer than the piece.
std::size_t unshiftedEnd(shiftScheme scheme, const char* in, std::size_t length);

}  // namespace postsift::platform
