#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace postsift::host {

// How error messages name an input: its path, or "standard input" for "-".
std::string inputName(const std::string& path);

// Hands the bytes of a file ("-": standard input) to `take` in pieces, as
// they are, without any line-end translation. False, with `error` naming
// the file and the reason, when it cannot be opened or read.
bool readInPieces(const std::string& path, const std::function<void(std::string_view)>& take, std::string& error);

bool readWhole(const std::string& path, std::string& bytes, std::string& error);

}  // namespace postsift::host
