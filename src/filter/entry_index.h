#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "support/ascii.h"

namespace postsift {

class filterEntry;

// What an index finds entries by.
enum class indexedBy {
    key,          // the key, as findException compares it
    alternative,  // each '|'-separated alternative of the value, as findSymbol does
};

// A word as the searches compare it: its bytes past the leading blanks, its
// length, and a hash of those bytes with the ASCII letters folded to lower
// case. Made once per search, whatever the length of the list.
struct searchWord {
    const char* text;
    std::size_t length;
    std::uint32_t hash;
};

// FNV-1a over the folded bytes: a few instructions a byte, and good enough
// for a table kept at most a quarter full.
inline constexpr std::uint32_t searchHashStart = 2166136261u;
inline std::uint32_t searchHashStep(std::uint32_t hash, char byte) {
    return (hash ^ asciiLowerBytes.of[static_cast<unsigned char>(byte)]) * 16777619u;
}

inline searchWord makeSearchWord(const char* word) {
    while (*word == ' ') ++word;
    std::uint32_t hash = searchHashStart;
    const char* end = word;
    for (; *end != '\0'; ++end) hash = searchHashStep(hash, *end);
    return {word, static_cast<std::size_t>(end - word), hash};
}

// The same for a word that ends at `end` rather than at a NUL (a keyword
// as it stands in a line), which holds no NUL: the searches compare the
// word by its length.
inline searchWord makeSearchWord(const char* word, const char* end) {
    while (word < end && *word == ' ') ++word;
    std::uint32_t hash = searchHashStart;
    for (const char* p = word; p < end; ++p) hash = searchHashStep(hash, *p);
    return {word, static_cast<std::size_t>(end - word), hash};
}

// Advances whenever any entry of the process is made, destroyed, relinked
// or given a new value: an index built at one count is known to be current
// while the count stays the same. Lists are changed by the configuration
// operations and, in tests, by hand; counting in the entries themselves
// covers both.
class entryChanges {
public:
    static std::uint32_t count() { return count_.load(std::memory_order_relaxed); }
    static void note() { count_.fetch_add(1, std::memory_order_relaxed); }

private:
    static inline std::atomic<std::uint32_t> count_{0};
};

// Every word of a message is looked up in the filter list and the symbol
// table. Instead of walking the list and comparing every entry, an index
// hashes each key (or each alternative of each value) once and keeps, for
// each text, the entry nearest to the head: so a search gives exactly the
// entry that the walk would find first, in constant time.
//
// The index follows its list by itself: it remembers the head it was built
// from and the change count of the entries (entryChanges), and rebuilds
// itself at the next search after any change. It holds no copies:
// it points into the entries' own texts, and looks at them only while they
// are known unchanged.
class entryIndex {
public:
    explicit entryIndex(indexedBy what) : what_(what) {}
    ~entryIndex();
    entryIndex(const entryIndex&) = delete;
    entryIndex& operator=(const entryIndex&) = delete;

    // The first entry of the list from `first` whose key (or one of whose
    // alternatives) equals the word without regard to ASCII case, or null.
    filterEntry* find(filterEntry* first, const searchWord& word) {
        if (!usable_ || !isCurrent(first)) return findAfterChange(first, word);
        if (word.length > longest_) return nullptr;
        // Most words are in no list: a probe usually meets a free slot at
        // once, in a dense array of hashes.
        const std::uint32_t hash = storedHash(word.hash);
        for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
            if (hashes_[at] == 0) return nullptr;
            if (hashes_[at] == hash && texts_[at].length == word.length &&
                equalFolded(texts_[at].text, word.text, word.length))
                return texts_[at].entry;
        }
    }

    // The same for a name that the program itself holds and never changes
    // (a reserved name such as an option key, never a text of a message):
    // its answer is kept by the name's address until the list changes, so
    // asking for an option at every word costs no hashing.
    filterEntry* findReservedName(filterEntry* first, const char* name) {
        const rememberedName& remembered = remembered_[rememberedSlot(name)];
        if (remembered.name == name && usable_ && isCurrent(first)) return remembered.entry;
        return findAndRemember(first, name);
    }

private:
    struct indexedText {
        const char* text;
        std::size_t length;
        filterEntry* entry;
    };
    struct rememberedName {
        const char* name;
        filterEntry* entry;
    };
    // One place per name, chosen by its address; two names that meet there
    // take turns, at the cost of a search. Room for many times the names
    // that a message asks for (the reading pass alone asks for some twenty
    // options), so that two seldom meet wherever the names happen to lie.
    static constexpr std::size_t rememberedNameCount = 256;
    static std::size_t rememberedSlot(const char* name) {
        const auto address = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(name));
        return ((address >> 2) * 2654435761u) >> 24;
    }

    // 0 marks a free slot, so no stored hash is 0.
    static std::uint32_t storedHash(std::uint32_t hash) { return hash | 1u; }
    static bool equalFolded(const char* a, const char* b, std::size_t length) {
        for (std::size_t i = 0; i < length; ++i)
            if (asciiLowerBytes.of[static_cast<unsigned char>(a[i])] !=
                asciiLowerBytes.of[static_cast<unsigned char>(b[i])])
                return false;
        return true;
    }
    bool isCurrent(filterEntry* first) const {
        return built_ && first_ == first && changeCount_ == entryChanges::count();
    }
    filterEntry* findAfterChange(filterEntry* first, const searchWord& word);
    filterEntry* findAndRemember(filterEntry* first, const char* name);
    // False when memory ran out: the searches then walk the list.
    bool rebuild(filterEntry* first);
    void insert(const char* text, std::size_t length, filterEntry* entry);
    void release();

    indexedBy what_;
    std::uint32_t* hashes_ = nullptr;  // one per slot
    indexedText* texts_ = nullptr;     // beside each hash
    std::size_t mask_ = 0;             // slot count - 1; the count is a power of two
    std::size_t longest_ = 0;
    filterEntry* first_ = nullptr;
    std::uint32_t changeCount_ = 0;
    bool built_ = false;
    bool usable_ = false;
    rememberedName remembered_[rememberedNameCount] = {};
};

}  // namespace postsift
