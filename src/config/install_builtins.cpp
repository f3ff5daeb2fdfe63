#include "config/builtin_table.h"
#include "filter/epost_sift.h"

namespace postsift {

void installBuiltIns(epostSift& filter, const builtInTable& table) {
    for (std::size_t i = 0; i < table.count; ++i)
        filter.updateFilter(table.entries[i].key, table.entries[i].value);
}

}  // namespace postsift
