#pragma once
#include <cstring>

namespace postsift {

// The three options live in the filter list although their keys are
// bracketed like symbol names. They are recognised only as written here,
// capitals included: "[include email address]" is a symbol.
inline bool isOptionKey(const char* key) {
    return std::strcmp(key, "[INCLUDE EMAIL ADDRESS]") == 0 ||
           std::strcmp(key, "[INCLUDE FORWARDED HEADERS]") == 0 ||
           std::strcmp(key, "[INCLUDE FORWARDED TEXT]") == 0;
}

// Which list an entry with this key belongs to: any other bracketed key
// names a symbol; every other key is a word, keyword or option rule.
inline bool isSymbolKey(const char* key) { return key[0] == '[' && !isOptionKey(key); }

}  // namespace postsift
