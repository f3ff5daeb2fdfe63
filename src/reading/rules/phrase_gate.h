#pragma once
#include <cstddef>
#include <cstdint>

#include "reading/lines/folded_phrases.h"
#include "reading/lines/line_text.h"

namespace postsift {

// Whether a phrase of some lists can begin at a word, told by the word's
// first bytes alone: the lists of a foldedPhrases index are added here
// too, and each word is asked here before the index is walked from it.
// The index leaves most words at their first or second byte, but after a
// branch on each, which the processor guesses wrong about as often as
// right; here a word costs a few table lookups and one bit of a set.
//
// What is looked up is the word's first four bytes, folded, up to the
// first byte that is no letter, digit or byte above ASCII: "to" of "to
// unsubscribe", "unsu" of "unsubscribe:", "i" of "i'm". A phrase found
// at a word begins with the same bytes, so the set of what phrases begin
// with never turns away a word that a phrase begins at; a few words that
// begin none get through (the set is kept by a hash of them), and the
// index turns them away.
class phraseGate {
public:
    phraseGate();

    // The phrases of a list (folded) as a foldedPhrases index finds them.
    void add(const char* const* phrases, std::size_t count, phraseFit fit);
    template <std::size_t n>
    void add(const char* const (&phrases)[n], phraseFit fit) {
        add(phrases, n, fit);
    }

    // Whether a phrase may begin at `word`, a byte of a word (a letter, a
    // digit or a byte above ASCII), in a text that ends at `end`. Inline:
    // it is asked of every word of a block.
    bool mayBeginAt(const char* word, const char* end) const;

private:
    static constexpr unsigned bitsLog = 15;

    void addKey(std::uint32_t key);
    bool has(std::uint32_t key) const {
        const unsigned at = slot(key);
        return (bits_[at / 32] >> (at % 32) & 1u) != 0;
    }
    // The key of a word in the last three bytes of a text.
    static std::uint32_t keyNearEnd(const char* word, const char* end);
    static unsigned slot(std::uint32_t key) { return (key * 0x9e3779b1u) >> (32 - bitsLog); }

    std::uint32_t bits_[(1u << bitsLog) / 32];
};

// Each byte as the gate reads it: a byte of a word folded, any other 0.
struct gateByteTable {
    unsigned char of[256];
};
inline constexpr gateByteTable gateBytes = [] {
    gateByteTable table{};
    for (int c = 0; c < 256; ++c) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter || (c >= '0' && c <= '9') || c >= 128) table.of[c] = foldedBytes.of[c];
    }
    return table;
}();

inline bool phraseGate::mayBeginAt(const char* word, const char* end) const {
    if (end - word < 4) return has(keyNearEnd(word, end));
    const auto byte = [word](int i) { return std::uint32_t{gateBytes.of[static_cast<unsigned char>(word[i])]}; };
    // Each byte counts only when the bytes before it do: the key ends at
    // the first byte that is no byte of a word.
    const std::uint32_t b1 = byte(1);
    const std::uint32_t b2 = byte(2) & (0u - static_cast<std::uint32_t>(b1 != 0));
    const std::uint32_t b3 = byte(3) & (0u - static_cast<std::uint32_t>(b2 != 0));
    return has(byte(0) | b1 << 8 | b2 << 16 | b3 << 24);
}

}  // namespace postsift
