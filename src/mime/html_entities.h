#pragma once
#include <cstddef>

namespace postsift::mime {

// The character of a named character reference ("eacute" for é, "hellip",
// "nbsp"), with the case of its name; 0 when HTML has no such name.
char32_t namedCharacter(const char* name, std::size_t length);

}  // namespace postsift::mime
