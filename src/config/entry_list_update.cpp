#include "config/entry_list_update.h"

#include <new>

#include "filter/filterlist.h"
#include "filter/epost_sift.h"

namespace postsift {

int updateEntryList(epostSift& filter, filterEntry*& list, const char* key, const char* value,
                    existingKey existing) {
    filterEntry* previous = nullptr;
    filterEntry* entry = list;
    while (entry != nullptr && !entry->matchesKey(key)) {
        previous = entry;
        entry = entry->next();
    }

    if (entry != nullptr && value != nullptr)
        return existing == existingKey::replaceInPlace ? entry->replaceValue(value) : 2;

    if (entry != nullptr) {
        if (previous != nullptr)
            previous->setNext(entry->next());
        else
            list = entry->next();
        // The lookups of the last message may still point here; a later run
        // must not find a destroyed entry through them.
        if (filter.currentFilterEntry == entry) filter.currentFilterEntry = nullptr;
        if (filter.currentSymbol == entry) filter.currentSymbol = nullptr;
        delete entry;
        return 0;
    }

    if (value == nullptr) return list != nullptr ? 2 : 0;

    filterEntry* added = new (std::nothrow) filterEntry(key, value);
    if (added == nullptr) return 2;
    if (!added->isComplete()) {
        delete added;
        return 2;
    }
    // The walk above stopped at the last entry.
    if (previous != nullptr)
        previous->setNext(added);
    else
        list = added;
    return 0;
}

}  // namespace postsift
