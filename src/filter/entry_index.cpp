#include "filter/entry_index.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "filter/filterlist.h"
#include "support/ascii.h"

namespace postsift {
namespace {

std::uint32_t hashOf(const char* text, std::size_t length) {
    std::uint32_t hash = searchHashStart;
    for (std::size_t i = 0; i < length; ++i) hash = searchHashStep(hash, text[i]);
    return hash;
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
    std::free(hashes_);
    std::free(texts_);
    hashes_ = nullptr;
    texts_ = nullptr;
    mask_ = 0;
    longest_ = 0;
    usable_ = false;
    for (rememberedName& remembered : remembered_) remembered = {};
}

bool entryIndex::rebuild(filterEntry* first) {
    release();
    built_ = true;
    first_ = first;
    changeCount_ = entryChanges::count();

    std::size_t count = 0;
    for (filterEntry* entry = first; entry != nullptr; entry = entry->next()) {
        if (what_ == indexedBy::key) {
            if (entry->key() != nullptr) ++count;
        } else if (entry->value() != nullptr) {
            forEachAlternative(entry->value(), [&count](const char*, std::size_t) { ++count; });
        }
    }
    // At most a quarter full: a word that is in no list, as most are, meets
    // a free slot at its first or second probe.
    std::size_t size = 16;
    while (size < 4 * count) size *= 2;
    hashes_ = static_cast<std::uint32_t*>(std::calloc(size, sizeof(std::uint32_t)));
    texts_ = static_cast<indexedText*>(std::calloc(size, sizeof(indexedText)));
    if (hashes_ == nullptr || texts_ == nullptr) {
        release();
        return false;
    }
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
    const std::uint32_t hash = storedHash(hashOf(text, length));
    std::size_t at = hash & mask_;
    for (; hashes_[at] != 0; at = (at + 1) & mask_) {
        const indexedText& taken = texts_[at];
        if (hashes_[at] == hash && taken.length == length && equalFolded(taken.text, text, length)) return;
    }
    hashes_[at] = hash;
    texts_[at] = {text, length, entry};
    if (length > longest_) longest_ = length;
}

filterEntry* entryIndex::findAfterChange(filterEntry* first, const searchWord& word) {
    if (!isCurrent(first)) rebuild(first);
    if (!usable_) {
        if (first == nullptr) return nullptr;
        // The walks take a C string: the word may not end with a NUL.
        const std::string text(word.text, word.length);
        return what_ == indexedBy::key ? walkForKey(first, text.c_str()) : walkForAlternative(first, text.c_str());
    }
    return find(first, word);
}

filterEntry* entryIndex::findAndRemember(filterEntry* first, const char* name) {
    filterEntry* entry = find(first, makeSearchWord(name));  // current from here on
    if (usable_) remembered_[rememberedSlot(name)] = {name, entry};
    return entry;
}

}  // namespace postsift
