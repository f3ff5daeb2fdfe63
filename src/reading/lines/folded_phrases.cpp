#include "reading/lines/folded_phrases.h"

#include "reading/lines/line_text.h"
#include "support/ascii.h"

namespace postsift {

foldedPhrases::foldedPhrases() {
    for (int c = 0; c < 256; ++c) phraseBytes_[c] = phraseBytes.of[c];
    for (unsigned& root : roots_) root = none;
    for (unsigned& second : seconds_) second = none;
}

unsigned foldedPhrases::childOf(unsigned parent, unsigned char byte) const {
    unsigned child = nodes_[parent].firstChild;
    while (child != none && nodes_[child].byte != byte) child = nodes_[child].nextSibling;
    return child;
}

unsigned foldedPhrases::grownChild(unsigned parent, unsigned char byte) {
    unsigned child = parent == none ? roots_[byte] : childOf(parent, byte);
    if (child != none) return child;
    node grown;
    grown.byte = byte;
    if (parent != none) grown.nextSibling = nodes_[parent].firstChild;
    nodes_.push_back(grown);
    child = static_cast<unsigned>(nodes_.size() - 1);
    if (parent == none) {
        roots_[byte] = child;
        // A first byte's second bytes, looked up at once.
        seconds_[byte] = static_cast<unsigned>(secondNodes_.size());
        secondNodes_.resize(secondNodes_.size() + 256, none);
    } else {
        nodes_[parent].firstChild = child;
        nodes_[parent].childBytes |= childBit(byte);
        if (parent == roots_[nodes_[parent].byte]) secondNodes_[seconds_[nodes_[parent].byte] + byte] = child;
    }
    return child;
}

void foldedPhrases::add(const char* const* phrases, std::size_t count, unsigned cue, phraseFit fit) {
    for (std::size_t i = 0; i < count; ++i) {
        unsigned at = none;
        for (const char* p = phrases[i]; *p != '\0'; ++p) at = grownChild(at, static_cast<unsigned char>(*p));
        if (at == none) continue;
        node& last = nodes_[at];
        last.ends = true;
        switch (fit) {
            case phraseFit::begins: last.begins |= cue; break;
            case phraseFit::beginsThenNoLetter: last.beginsThenNoLetter |= cue; break;
            case phraseFit::beginsThenNoWordByte: last.beginsThenNoWordByte |= cue; break;
            case phraseFit::isWord: last.isWord |= cue; break;
        }
    }
}

unsigned foldedPhrases::cuesEndingAt(const node& here, const char* p, const char* wordEnd, const char* end) {
    unsigned cues = here.begins;
    const unsigned char next = p == end ? 0 : static_cast<unsigned char>(*p);
    if (here.beginsThenNoLetter != 0 && (p == end || !isAsciiLetter(next))) cues |= here.beginsThenNoLetter;
    if (here.beginsThenNoWordByte != 0 && (p == end || !isWordByte(next))) cues |= here.beginsThenNoWordByte;
    if (here.isWord != 0 && p == wordEnd) cues |= here.isWord;
    return cues;
}

}  // namespace postsift
