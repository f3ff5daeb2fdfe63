#pragma once

#include "filter/filterlist.h"
#include "support/reserved_names.h"

namespace postsift {

// The forwarded options count as on when their value holds "true" anywhere,
// with that case: "true" and "untrue" are on, "TRUE" is off. Each caller
// decides what a missing entry or a missing value means. Asked at every word
// of quoted text, where a plain scan of so short a value beats strstr.
inline bool valueSaysTrue(const filterEntry& option) {
    const char* value = option.value();
    if (value == nullptr) return false;
    for (; *value != '\0'; ++value)
        if (value[0] == 't' && value[1] == 'r' && value[2] == 'u' && value[3] == 'e') return true;
    return false;
}

// Whether a key is one of the option keys of reserved_names.h itself, by
// address: a text that only spells the same is not.
inline bool isReservedOptionKey(const char* key) {
    for (const char* option : optionKeys)
        if (key == option) return true;
    return false;
}

}  // namespace postsift
