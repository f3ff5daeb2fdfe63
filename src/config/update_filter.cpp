#include "config/entry_list_update.h"
#include "config/entry_routing.h"
#include "filter/epost_sift.h"
#include "support/trace.h"

namespace postsift {

int epostSift::updateFilter(const char* key, const char* value) {
    traceMessage("epostSift::updateFilter(%s, %s): updateFilter enter", printable(key), printable(value));
    if (filterList == nullptr) traceMessage("epostSift::updateFilter: No filter keys");

    int result = 2;
    if (key != nullptr) {
        if (isSymbolKey(key)) return updateSymbolTable(key, value);
        result = updateEntryList(*this, filterList, key, value, existingKey::replaceInPlace);
    }

    traceMessage("epostSift::updateFilter(%s, %s): updateFilter exit", printable(key), printable(value));
    if (filterList == nullptr) traceMessage("No filter keys");
    return result;
}

}  // namespace postsift
