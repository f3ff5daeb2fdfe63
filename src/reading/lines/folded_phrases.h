#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "reading/lines/line_text.h"

namespace postsift {

// Each byte of a text as phrases are written and compared: folded, a tab a
// blank.
inline constexpr byteTable<unsigned char> phraseBytes =
    tableOfBytes<unsigned char>([](unsigned char c) { return c == '\t' ? ' ' : foldedBytes.of[c]; });

// How a phrase must stand at a word of the text to be found there.
enum class phraseFit : unsigned char {
    begins,                // the text begins with it at the word, and may run on past it: "to unsubscribe", "subscri"
    beginsThenNoLetter,    // ... and no ASCII letter follows it: "win" in "win!" and "win2", not in "Windows"
    beginsThenNoWordByte,  // ... nor a digit or a byte above ASCII: "best" in "Best,", not in "Bestellung"
    isWord,                // the word, without the punctuation around it, is the phrase: "i", "me"
};

// Lists of folded phrases (lower case, accented capitals folded as
// foldedByte does), each list giving a cue of its own, one bit, and all of
// them held as one tree of their bytes. A rule that asks of every word of a
// text whether any of a dozen lists has a phrase there walks the text from
// the word once, as far as some phrase goes on as the text does, where a
// search of each list would compare every phrase: most words leave the tree
// at their first or second byte. The text is compared folded, a tab as a
// blank, as it stands: a line need not be copied to be looked at.
class foldedPhrases {
public:
    foldedPhrases();

    // Adds the phrases of a list, found as `fit` says, each giving `cue`.
    void add(const char* const* phrases, std::size_t count, unsigned cue, phraseFit fit);
    template <std::size_t n>
    void add(const char* const (&phrases)[n], unsigned cue, phraseFit fit) {
        add(phrases, n, cue, fit);
    }

    // The cues of the phrases found at `at`, in a text that ends at `end`;
    // [at, wordEnd) is the word there, for the phrases that must be the
    // word (empty when `at` begins no word).
    // Defined inline below: it is asked of every word of a block, and most
    // words leave the tree in fewer steps than a call takes.
    unsigned cuesAt(const char* at, const char* wordEnd, const char* end) const;

private:
    static constexpr unsigned none = ~0u;
    // The phrases that begin with the bytes on the way to a node; the cues
    // of those that end there, by how they must stand.
    struct node {
        unsigned firstChild = none;
        unsigned nextSibling = none;
        unsigned char byte = 0;
        bool ends = false;  // some phrase ends here
        // The bytes its children go on with, one bit for each byte's low
        // five bits: most words leave the tree at a node none of whose
        // children goes on as they do, which this tells without a walk
        // over all of them.
        std::uint32_t childBytes = 0;
        unsigned begins = 0;
        unsigned beginsThenNoLetter = 0;
        unsigned beginsThenNoWordByte = 0;
        unsigned isWord = 0;
    };

    // The cues of the phrases that end at `here`, with the text going on
    // at `p`. Out of line: few nodes end a phrase, and without it the walk
    // is small enough to be inlined where it is asked.
    static unsigned cuesEndingAt(const node& here, const char* p, const char* wordEnd, const char* end);
    unsigned childOf(unsigned parent, unsigned char byte) const;
    static std::uint32_t childBit(unsigned char byte) { return std::uint32_t{1} << (byte & 31u); }
    unsigned char phraseByte(char c) const { return phraseBytes_[static_cast<unsigned char>(c)]; }
    // The child of `parent` (a root for none) that goes on with `byte`,
    // grown if there is none.
    unsigned grownChild(unsigned parent, unsigned char byte);

    // Each byte of the text as the phrases are written: folded, a tab a blank.
    unsigned char phraseBytes_[256];
    std::vector<node> nodes_;
    unsigned roots_[256];  // the node of each first byte
    // The nodes of the first two bytes, 256 for each first byte from where
    // seconds_ says: the byte after the first is looked up, not searched for.
    unsigned seconds_[256];
    std::vector<unsigned> secondNodes_;
};

inline unsigned foldedPhrases::cuesAt(const char* at, const char* wordEnd, const char* end) const {
    if (at >= end) return 0;
    const unsigned char first = phraseByte(*at);
    unsigned n = roots_[first];
    if (n == none) return 0;
    const node* nodes = nodes_.data();
    // The bytes up to p are a phrase's beginning, or a phrase: the first
    // byte's node, then the second's, looked up, then the others' found
    // among their siblings.
    const char* p = at + 1;
    unsigned cues = nodes[n].ends ? cuesEndingAt(nodes[n], p, wordEnd, end) : 0;
    if (p == end) return cues;
    n = secondNodes_[seconds_[first] + phraseByte(*p)];
    while (n != none) {
        const node& here = nodes[n];
        ++p;
        if (here.ends) cues |= cuesEndingAt(here, p, wordEnd, end);
        if (p == end) break;
        const unsigned char byte = phraseByte(*p);
        if ((here.childBytes & childBit(byte)) == 0) break;
        n = here.firstChild;
        while (n != none && nodes[n].byte != byte) n = nodes[n].nextSibling;
    }
    return cues;
}

}  // namespace postsift
