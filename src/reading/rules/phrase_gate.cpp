#include "reading/rules/phrase_gate.h"

namespace postsift {

namespace {

// The key of up to four bytes of a word, as read by the gate.
std::uint32_t keyOf(const unsigned char* bytes, std::size_t length) {
    std::uint32_t key = 0;
    for (std::size_t i = 0; i < length && i < 4; ++i) key |= std::uint32_t{bytes[i]} << (8 * i);
    return key;
}

}  // namespace

phraseGate::phraseGate() {
    for (std::uint32_t& bits : bits_) bits = 0;
}

std::uint32_t phraseGate::keyNearEnd(const char* word, const char* end) {
    std::uint32_t key = 0;
    for (int i = 0; i < 4 && word + i < end; ++i) {
        const std::uint32_t byte = gateBytes.of[static_cast<unsigned char>(word[i])];
        if (byte == 0) break;
        key |= byte << (8 * i);
    }
    return key;
}

void phraseGate::addKey(std::uint32_t key) {
    const unsigned at = slot(key);
    bits_[at / 32] |= 1u << (at % 32);
}

void phraseGate::add(const char* const* phrases, std::size_t count, phraseFit fit) {
    for (std::size_t i = 0; i < count; ++i) {
        // The phrase's leading bytes of a word, as the gate reads a text's.
        unsigned char lead[4];
        std::size_t length = 0;
        const char* p = phrases[i];
        while (length < 4 && p[length] != '\0' && gateBytes.of[static_cast<unsigned char>(p[length])] != 0) {
            lead[length] = gateBytes.of[static_cast<unsigned char>(p[length])];
            ++length;
        }
        // A phrase that begins with no byte of a word is never looked for
        // at a word.
        if (length == 0) continue;
        addKey(keyOf(lead, length));
        // A phrase of fewer than four bytes, all of a word, may be found
        // where the word goes on: "try" in "try2", as the fit allows.
        const bool goesOn = length < 4 && p[length] == '\0' &&
                            (fit == phraseFit::begins || fit == phraseFit::beginsThenNoLetter);
        if (!goesOn) continue;
        if (length < 3) {
            // Too many ways to go on to list: every word gets through.
            for (std::uint32_t& bits : bits_) bits = ~0u;
            return;
        }
        for (int c = 0; c < 256; ++c) {
            const unsigned char next = gateBytes.of[c];
            const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            if (next == 0 || (fit == phraseFit::beginsThenNoLetter && letter)) continue;
            lead[3] = next;
            addKey(keyOf(lead, 4));
        }
    }
}

}  // namespace postsift
