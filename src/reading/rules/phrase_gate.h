#pragma once
#include <cstddef>
#include <cstdint>

#include "reading/lines/folded_phrases.h"
#include "reading/lines/line_text.h"
#include "support/ascii.h"

namespace postsift {

// Whether a phrase of some lists can begin at a word, told by the word's
// first bytes alone: the lists of a foldedPhrases index are added here
// too, and each word is asked here before the index is walked from it.
// The index leaves most words at their first or second byte, but after a
// branch on each, which the processor guesses wrong about as often as
// right; here a word costs a few table lookups and a bit of a set.
//
// What is looked up is the word's lead: its first four bytes, folded, up
// to the first byte that is no letter, digit or byte above ASCII ("to" of
// "to unsubscribe", "unsu" of "unsubscribe:", "i" of "i'm"). A phrase
// found at a word begins with the same lead, so the set of the phrases'
// leads never turns away a word that a phrase begins at. Where every
// phrase of a lead goes on for three bytes or more after it, as "to" and
// "the" do ("to unsubscribe", "the list"), those three bytes are looked up
// too: the common words that begin phrases seldom go on as a phrase does.
// A phrase of three bytes that may go on in a longer word ("try" in
// "try2") lets through every lead of four that begins with it, as the
// fit allows; after the first look, such a lead is told by its first
// three bytes, so that the many leads it stands for do not crowd the set
// of leads alone.
// The sets are kept by a hash, so a few words that begin no phrase get
// through, and the index turns them away.
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
    // A set of keys, as bits at their hashes.
    template <unsigned bitsLog>
    class hashedKeys {
    public:
        void add(std::uint32_t key) { bits_[slot(key) / 32] |= 1u << (slot(key) % 32); }
        void addAll() {
            for (std::uint32_t& bits : bits_) bits = ~0u;
        }
        bool has(std::uint32_t key) const { return (bits_[slot(key) / 32] >> (slot(key) % 32) & 1u) != 0; }

    private:
        static unsigned slot(std::uint32_t key) { return (key * 0x9e3779b1u) >> (32 - bitsLog); }
        std::uint32_t bits_[(1u << bitsLog) / 32] = {};
    };

    // A lead and the three bytes after it, as one key.
    static std::uint32_t withNext(std::uint32_t lead, std::uint32_t next) { return lead ^ (next * 0x85ebca6bu); }
    // The lead of a word in the last three bytes of a text.
    static std::uint32_t leadNearEnd(const char* word, const char* end);
    // Whether a phrase of a known lead may begin at `word`: the lead is one
    // alone, or a phrase of three bytes goes on as it does, or the lead and
    // the three bytes after it are one of the leads that go on.
    bool mayGoOnAsAPhrase(std::uint32_t lead, const char* word, const char* end) const;

    // The first three bytes of a lead of four, and whether its last is a
    // letter, as one key.
    static std::uint32_t shortKey(std::uint32_t lead) {
        const bool letterLast = (lead >> 24) - 'a' < 26u;
        return (lead & 0xffffffu) | (letterLast ? 1u << 31 : 0u);
    }

    // Every lead, and every lead of four bytes that a phrase of three may
    // begin, by the ways it may go on.
    hashedKeys<14> leads_;
    hashedKeys<12> leadsAlone_;  // a phrase of the lead ends or may end within three bytes after it
    hashedKeys<8> shortLeads_;   // a phrase of three bytes goes on as the lead does (shortKey)
    hashedKeys<13> leadsGoingOn_;
};

// Each byte as the gate reads a lead: a byte of a word folded, any other 0.
inline constexpr byteTable<unsigned char> gateBytes =
    tableOfBytes<unsigned char>([](unsigned char c) { return isWordByte(c) ? foldedBytes.of[c] : 0; });

inline bool phraseGate::mayBeginAt(const char* word, const char* end) const {
    std::uint32_t lead;
    if (end - word >= 4) {
        const auto byte = [word](int i) { return std::uint32_t{gateBytes.of[static_cast<unsigned char>(word[i])]}; };
        // Each byte counts only when the bytes before it do: the lead ends
        // at the first byte that is no byte of a word.
        const std::uint32_t b1 = byte(1);
        const std::uint32_t b2 = byte(2) & (0u - static_cast<std::uint32_t>(b1 != 0));
        const std::uint32_t b3 = byte(3) & (0u - static_cast<std::uint32_t>(b2 != 0));
        lead = byte(0) | b1 << 8 | b2 << 16 | b3 << 24;
    } else {
        lead = leadNearEnd(word, end);
    }
    // Most words are turned away here; the looks after this one are out
    // of line, which keeps the walk that asks small.
    return leads_.has(lead) && mayGoOnAsAPhrase(lead, word, end);
}

}  // namespace postsift
