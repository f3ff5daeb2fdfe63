#include "config/builtin_table.h"

namespace postsift {

// Filled with the French entries when the configuration arrives.
const builtInTable frenchBuiltIns = {nullptr, 0};

}  // namespace postsift
