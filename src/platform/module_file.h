#pragma once

namespace postsift::platform {

// Writes the full path of the module (library or program) that holds this
// code into buffer, cut to capacity - 1 bytes and NUL-terminated; returns the
// number of characters written, 0 when the platform cannot tell.
unsigned moduleFileName(char* buffer, unsigned capacity);

}  // namespace postsift::platform
