#include "filter/key_places.h"

#include "filter/filterlist.h"
#include "support/ascii.h"

namespace postsift {

keyPlaces::keyPlaces(filterEntry* first) {
    for (filterEntry* entry = first; entry != nullptr; entry = entry->next()) added(entry);
}

keyPlaces::place keyPlaces::find(const char* key, filterEntry* first) const {
    std::string folded(key);
    for (char& c : folded) c = static_cast<char>(asciiLower(static_cast<unsigned char>(c)));
    const auto found = previousOf_.find(folded);
    if (found == previousOf_.end()) return {nullptr, last_};
    filterEntry* const previous = found->second;
    return {previous != nullptr ? previous->next() : first, previous};
}

void keyPlaces::added(filterEntry* entry) {
    if (entry->key() != nullptr) previousOf_.emplace(entry->key(), last_);
    last_ = entry;
}

void keyPlaces::removed(filterEntry* entry, filterEntry* previous) {
    if (entry->key() != nullptr) previousOf_.erase(entry->key());
    if (filterEntry* next = entry->next()) {
        if (next->key() != nullptr) previousOf_[next->key()] = previous;
    }
    if (last_ == entry) last_ = previous;
}

}  // namespace postsift
