#pragma once
#include <cstddef>

namespace postsift {

// The configuration file that lies beside a module: its path with the
// extension replaced by "cfg". A malloc'ed text, or nullptr when the file
// name has no extension to replace or memory is short.
char* configFilePathFor(const char* path, std::size_t length);

}  // namespace postsift
