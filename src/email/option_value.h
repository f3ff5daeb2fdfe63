#pragma once
#include <cstring>

#include "filter/filterlist.h"
#include "support/reserved_names.h"

namespace postsift {

// The forwarded options count as on when their value holds "true" anywhere,
// with that case: "true" and "untrue" are on, "TRUE" is off. Each caller
// decides what a missing entry or a missing value means.
inline bool valueSaysTrue(const filterEntry& option) {
    return option.value() != nullptr && std::strstr(option.value(), "true") != nullptr;
}

}  // namespace postsift
