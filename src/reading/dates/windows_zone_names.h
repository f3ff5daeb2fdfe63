#pragma once
#include <cstddef>

namespace postsift {

// The long English zone names that Windows mail programs write where a
// header wants a numeric zone: "Pacific Standard Time", "W. Europe
// Daylight Time". A standard name means the zone's standard offset and a
// daylight name its summer offset; the table holds the zones whose offsets
// have stayed put, so a name means the same in an old message as in a new.

// Reads such a name at the start of `text`: words in any ASCII case, any
// run of blanks (folded line ends too) between them, and no letter right
// after "Time". Returns the bytes taken, 0 for no known name; nothing past
// `length` is read.
std::size_t readWindowsZoneName(const unsigned char* text, std::size_t length, int& minutesEast);

}  // namespace postsift
