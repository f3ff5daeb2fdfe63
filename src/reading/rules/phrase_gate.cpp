#include "reading/rules/phrase_gate.h"

namespace postsift {

namespace {

std::uint32_t keyOf(const unsigned char* bytes, std::size_t length) {
    std::uint32_t key = 0;
    for (std::size_t i = 0; i < length && i < 4; ++i) key |= std::uint32_t{bytes[i]} << (8 * i);
    return key;
}

}  // namespace

phraseGate::phraseGate() = default;

std::uint32_t phraseGate::leadNearEnd(const char* word, const char* end) {
    std::uint32_t key = 0;
    for (int i = 0; i < 4 && word + i < end; ++i) {
        const std::uint32_t byte = gateBytes.of[static_cast<unsigned char>(word[i])];
        if (byte == 0) break;
        key |= byte << (8 * i);
    }
    return key;
}

bool phraseGate::mayGoOnAsAPhrase(std::uint32_t lead, const char* word, const char* end) const {
    if (leadsAlone_.has(lead)) return true;
    if (lead >> 24 != 0 && shortLeads_.has(shortKey(lead))) return true;
    // Every phrase that goes on from the lead needs the three bytes.
    const int length = 1 + (lead >> 8 != 0) + (lead >> 16 != 0) + (lead >> 24 != 0);
    const char* after = word + length;
    if (end - after < 3) return false;
    const std::uint32_t next = phraseBytes.of[static_cast<unsigned char>(after[0])] |
                               std::uint32_t{phraseBytes.of[static_cast<unsigned char>(after[1])]} << 8 |
                               std::uint32_t{phraseBytes.of[static_cast<unsigned char>(after[2])]} << 16;
    return leadsGoingOn_.has(withNext(lead, next));
}

void phraseGate::add(const char* const* phrases, std::size_t count, phraseFit fit) {
    for (std::size_t i = 0; i < count; ++i) {
        // The phrase's lead, as the gate reads a text's.
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
        const std::uint32_t key = keyOf(lead, length);
        leads_.add(key);
        // The three bytes after the lead, if the phrase has them.
        std::uint32_t next = 0;
        int after = 0;
        for (; after < 3 && p[length + after] != '\0'; ++after)
            next |= std::uint32_t{static_cast<unsigned char>(p[length + after])} << (8 * after);
        if (after == 3) {
            leadsGoingOn_.add(withNext(key, next));
            continue;
        }
        leadsAlone_.add(key);
        // A phrase of fewer than four bytes, all of a word, may be found
        // where the word goes on: "try" in "try2", as the fit allows.
        const bool goesOn = length < 4 && p[length] == '\0' &&
                            (fit == phraseFit::begins || fit == phraseFit::beginsThenNoLetter);
        if (!goesOn) continue;
        if (length < 3) {
            // Too many ways to go on to list: every word gets through.
            leads_.addAll();
            leadsAlone_.addAll();
            continue;
        }
        for (int c = 0; c < 256; ++c) {
            const unsigned char byte = gateBytes.of[c];
            const bool letter = isAsciiLetter(static_cast<unsigned char>(c));
            if (byte == 0 || (fit == phraseFit::beginsThenNoLetter && letter)) continue;
            lead[3] = byte;
            leads_.add(keyOf(lead, 4));
            shortLeads_.add(shortKey(keyOf(lead, 4)));
        }
    }
}

}  // namespace postsift
