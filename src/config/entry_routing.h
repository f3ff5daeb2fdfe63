#pragma once
#include <cstring>

#include "reading/pass/rule_table.h"
#include "support/reserved_names.h"

namespace postsift {

// The options live in the filter list although their keys are bracketed
// like symbol names; only their exact spelling makes them options.
inline bool isOptionKey(const char* key) {
    for (const char* option : optionKeys)
        if (std::strcmp(key, option) == 0) return true;
    return isReadingOption(key);
}

// Which list an entry with this key belongs to: any other bracketed key
// names a symbol; every other key is a word, keyword or option rule.
inline bool isSymbolKey(const char* key) { return key[0] == '[' && !isOptionKey(key); }

}  // namespace postsift
