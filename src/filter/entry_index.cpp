#include "filter/entry_index.h"

#include <cstdlib>
#include <cstring>

#include "filter/filterlist.h"
#include "support/ascii.h"

namespace postsift {
namespace {

std::uint32_t hashOf(const char* text, std::size_t length) {
    std::uint32_t hash = searchHashStart;
    for (std::size_t i = 0; i < length; ++i) hash = searchHashStep(hash, text[i]);
    return hash;
}

bool equalFolded(const char* a, const char* b, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        if (asciiLowerBytes.of[static_cast<unsigned char>(a[i])] != asciiLowerBytes.of[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

// Calls `visit(text, length)` for each alternative of a value, the empty
// ones included, from left to right.
template <typename visitor>
void forEachAlternative(const char* value, visitor visit) {
    for (;;) {
        const char* bar = std::strchr(value, '|');
        if (bar == nullptr) {
            visit(value, std::strlen(value));
            return;
        }
        visit(value, static_cast<std::size_t>(bar - value));
        value = bar + 1;
    }
}

}  // namespace

entryIndex::~entryIndex() { release(); }

void entryIndex::release() {
    std::free(slots_);
    slots_ = nullptr;
    mask_ = 0;
    longest_ = 0;
    usable_ = false;
    rememberedCount_ = 0;
}

bool entryIndex::isCurrent(filterEntry* first) const {
    return built_ && first_ == first && changeCount_ == filterEntry::changeCount();
}

bool entryIndex::rebuild(filterEntry* first) {
    release();
    built_ = true;
    first_ = first;
    changeCount_ = filterEntry::changeCount();

    std::size_t count = 0;
    for (filterEntry* entry = first; entry != nullptr; entry = entry->next()) {
        if (what_ == indexedBy::key) {
            if (entry->key() != nullptr) ++count;
        } else if (entry->value() != nullptr) {
            forEachAlternative(entry->value(), [&count](const char*, std::size_t) { ++count; });
        }
    }
    std::size_t size = 8;
    while (size < 2 * count) size *= 2;
    slots_ = static_cast<slot*>(std::calloc(size, sizeof(slot)));
    if (slots_ == nullptr) return false;
    mask_ = size - 1;
    usable_ = true;

    // In list order: the first entry to claim a text keeps it.
    for (filterEntry* entry = first; entry != nullptr; entry = entry->next()) {
        if (what_ == indexedBy::key) {
            if (entry->key() != nullptr) insert(entry->key(), entry->keyLength(), entry);
        } else if (entry->value() != nullptr) {
            forEachAlternative(entry->value(),
                               [this, entry](const char* text, std::size_t length) { insert(text, length, entry); });
        }
    }
    return true;
}

void entryIndex::insert(const char* text, std::size_t length, filterEntry* entry) {
    const std::uint32_t hash = hashOf(text, length);
    std::size_t at = hash & mask_;
    for (; slots_[at].text != nullptr; at = (at + 1) & mask_) {
        const slot& taken = slots_[at];
        if (taken.hash == hash && taken.length == length && equalFolded(taken.text, text, length)) return;
    }
    slots_[at] = {text, entry, length, hash};
    if (length > longest_) longest_ = length;
}

filterEntry* entryIndex::find(filterEntry* first, const searchWord& word) {
    if (first == nullptr) return nullptr;
    if (!isCurrent(first)) rebuild(first);
    if (!usable_)
        return what_ == indexedBy::key ? walkForKey(first, word.text) : walkForAlternative(first, word.text);
    if (word.length > longest_) return nullptr;
    for (std::size_t at = word.hash & mask_; slots_[at].text != nullptr; at = (at + 1) & mask_) {
        const slot& candidate = slots_[at];
        if (candidate.hash == word.hash && candidate.length == word.length &&
            equalFolded(candidate.text, word.text, word.length))
            return candidate.entry;
    }
    return nullptr;
}

filterEntry* entryIndex::findReservedName(filterEntry* first, const char* name) {
    if (first == nullptr) return nullptr;
    if (!isCurrent(first)) rebuild(first);
    for (std::size_t i = 0; i < rememberedCount_; ++i)
        if (remembered_[i].name == name) return remembered_[i].entry;
    filterEntry* entry = find(first, makeSearchWord(name));
    if (rememberedCount_ < rememberedNameCount) remembered_[rememberedCount_++] = {name, entry};
    return entry;
}

}  // namespace postsift
