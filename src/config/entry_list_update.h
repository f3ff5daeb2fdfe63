#pragma once

namespace postsift {

class epostSift;
class filterEntry;

// What a new value does to an entry that already has the key.
enum class existingKey {
    replaceInPlace,  // filter list: the entry takes the new value, keeps its place
    refuse,          // symbol table: the first definition stays until removed
};

// Adds, replaces or removes the entry with `key` (compared without regard to
// ASCII case) in one of the filter's lists; a null value removes. Answers 0,
// or 2 when refused, out of memory, or when a non-empty list has no entry to
// remove.
int updateEntryList(epostSift& filter, filterEntry*& list, const char* key, const char* value,
                    existingKey existing);

}  // namespace postsift
