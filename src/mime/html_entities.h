#pragma once
#include <cstddef>

namespace postsift::mime {

// The character of a named character reference ("eacute" for é, "hellip",
// "nbsp"), with the case of its name; 0 when HTML has no such name.
char32_t namedCharacter(const char* name, std::size_t length);

// The character of a numeric reference's digits ("233" in base 10, "e9" in
// base 16, `length` of them): the C1 range read as Windows-1252 reads it,
// as HTML does; 0 for nothing, a surrogate or a number beyond Unicode.
char32_t numericCharacter(const char* digits, std::size_t length, int base);

}  // namespace postsift::mime
