#pragma once
#include <string>
#include <unordered_map>

namespace postsift {

class filterEntry;

// Where each key of one list sits: its entry and the entry before it, and
// the list's last entry. A configuration file of many lines looks every
// line's key up in a list that grows with the file; walking the list for each
// line would cost the square of the file's length. While a file is read, the
// reader keeps one of these per list and the list operations keep it up to
// date, so that each line finds its place at once. Keys are unique in a list
// (a key that is there is replaced or refused, never added twice).
class keyPlaces {
public:
    // Walks the list once.
    explicit keyPlaces(filterEntry* first);
    keyPlaces(const keyPlaces&) = delete;
    keyPlaces& operator=(const keyPlaces&) = delete;

    struct place {
        filterEntry* entry;     // the entry whose key matches, or null
        filterEntry* previous;  // the entry before it; without one, the last entry
    };
    // The place of the entry whose key equals `key` without regard to ASCII
    // case, as filterEntry::matchesKey compares, in the list from `first`.
    place find(const char* key, filterEntry* first) const;

    // The list changed: an entry added at the end, or one taken out.
    void added(filterEntry* entry);
    void removed(filterEntry* entry, filterEntry* previous);

private:
    std::unordered_map<std::string, filterEntry*> previousOf_;  // by key, null for the first
    filterEntry* last_ = nullptr;
};

}  // namespace postsift
