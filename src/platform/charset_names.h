#pragma once
#include <cstddef>

namespace postsift::platform {

// How the bytes of a character set carry its characters, as far as a reader
// without its converter needs to know: where a character ends, and whether
// shift sequences change what the bytes after them mean.
enum class charsetForm {
    singleByte,  // one byte, one character
    multiByte,   // a byte above 127 begins a character of two bytes or more
    utf7,        // base64 runs between '+' and the first byte outside base64
    iso2022,     // escape sequences and SO/SI switch between ASCII and other sets
    hz,          // "~{" and "~}" switch between ASCII and GB2312 pairs
};

// A character set as mail names it, and what each platform's converter
// calls it. Both converters read this one table, so that a name one
// platform knows is never a stranger to the other.
struct charsetName {
    const char* name;       // lower case, as mail declares it
    const char* iconvName;  // null where iconv has no converter
    unsigned codePage;      // the Windows code page; 0 where Windows has none
    charsetForm form;
};

// The entry for a declared name, whatever the case of its letters; null
// for a name the table does not hold. (UTF-8 and Windows-1252 are not
// here: the library reads them itself, alike everywhere.)
const charsetName* findCharsetName(const char* name, std::size_t length);

}  // namespace postsift::platform
