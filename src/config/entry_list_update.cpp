#include "config/entry_list_update.h"

#include <new>

#include "filter/filterlist.h"
#include "filter/key_places.h"
#include "filter/epost_sift.h"

namespace postsift {

int updateEntryList(epostSift& filter, filterEntry*& list, const char* key, const char* value,
                    existingKey existing) {
    keyPlaces* places = &list == &filter.filterList    ? filter.filterListPlaces
                        : &list == &filter.symbolTable ? filter.symbolTablePlaces
                                                       : nullptr;
    filterEntry* previous = nullptr;
    filterEntry* entry = list;
    if (places != nullptr) {
        const keyPlaces::place place = places->find(key, list);
        entry = place.entry;
        previous = place.previous;
    } else {
        while (entry != nullptr && !entry->matchesKey(key)) {
            previous = entry;
            entry = entry->next();
        }
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
        if (places != nullptr) places->removed(entry, previous);
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
    // Without a match, `previous` is the last entry.
    if (previous != nullptr)
        previous->setNext(added);
    else
        list = added;
    if (places != nullptr) places->added(added);
    return 0;
}

}  // namespace postsift
