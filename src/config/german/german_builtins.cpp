#include "config/builtin_table.h"

namespace postsift {

// Filled with the German entries when the configuration arrives.
const builtInTable germanBuiltIns = {nullptr, 0};

}  // namespace postsift
