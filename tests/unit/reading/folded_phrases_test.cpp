// The tree of folded phrases against the plain search it stands for: every
// phrase of every list compared at the word.
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "reading/lines/folded_phrases.h"
#include "reading/lines/line_text.h"
#include "support/ascii.h"

using namespace postsift;

namespace {

struct phraseList {
    std::vector<const char*> phrases;
    unsigned cue;
    phraseFit fit;
};

// Lists that share beginnings with each other and within themselves, end
// inside one another, hold blanks, accents and one-byte phrases, one of
// which begins a longer phrase.
const std::vector<phraseList>& lists() {
    static const std::vector<phraseList> all = {
        {{"to", "to be", "to be removed", "to remove", "d\xe9sabonn", "x"}, 1u, phraseFit::begins},
        {{"to be", "tob", "abo", "abonn\xe9", "x."}, 2u, phraseFit::begins},
        {{"win", "to", "d\xe9"}, 4u, phraseFit::beginsThenNoLetter},
        {{"i", "to", "abo", "x", "d\xe9sabonn\xe9"}, 8u, phraseFit::isWord},
        {{"win", "be", "abonn"}, 16u, phraseFit::beginsThenNoWordByte},
        // Bytes that look alike to the tree's bits ('p' and '0', 'i' and
        // '\xe9') going on from the same beginning.
        {{"abp", "ab0", "to\xe9", "toi", "top"}, 32u, phraseFit::begins},
    };
    return all;
}

unsigned char asPhrase(char c) {
    const unsigned char folded = foldedByte(c);
    return folded == '\t' ? ' ' : folded;
}

// The plain search: each phrase of each list, byte by byte.
unsigned searched(const char* at, const char* wordEnd, const char* end) {
    unsigned cues = 0;
    for (const phraseList& list : lists()) {
        for (const char* phrase : list.phrases) {
            const std::size_t length = std::strlen(phrase);
            const std::size_t room = list.fit == phraseFit::isWord ? static_cast<std::size_t>(wordEnd - at)
                                                                   : static_cast<std::size_t>(end - at);
            if (list.fit == phraseFit::isWord ? room != length : room < length) continue;
            bool same = true;
            for (std::size_t i = 0; i < length && same; ++i) same = asPhrase(at[i]) == static_cast<unsigned char>(phrase[i]);
            const unsigned char next = at + length < end ? static_cast<unsigned char>(at[length]) : ' ';
            if (list.fit == phraseFit::beginsThenNoLetter && isAsciiLetter(next)) same = false;
            if (list.fit == phraseFit::beginsThenNoWordByte && (isAsciiLetter(next) || isAsciiDigit(next) || next >= 128))
                same = false;
            if (same) cues |= list.cue;
        }
    }
    return cues;
}

}  // namespace

TEST(FoldedPhrases, FindWhatASearchOfEveryListFinds) {
    foldedPhrases index;
    for (const phraseList& list : lists()) index.add(list.phrases.data(), list.phrases.size(), list.cue, list.fit);
    // Texts made of the phrases' pieces in either case, tabs for blanks,
    // the accented capital, a sign that does not fold, NUL and punctuation.
    const char* pieces[] = {"to", "TO", "t", "o", " ", "\t", "be", "Be", "re", "mo", "ved", "d\xe9", "D\xc9", "sab",
                            "onn", "\xe9", "\xc9", "\xd7", "X", "i", "I", "win", "WIN", "dows", "!", ".", "abo", "2", "p", "0", "ab", "\0"};
    std::mt19937 random(20250612);
    std::uniform_int_distribution<std::size_t> piece(0, sizeof pieces / sizeof pieces[0] - 1);
    int found = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int n = 1 + static_cast<int>(random() % 8); n > 0; --n) {
            const char* p = pieces[piece(random)];
            text.append(p, *p == '\0' ? 1 : std::strlen(p));  // "\0" is one NUL byte
        }
        const char* end = text.data() + text.size();
        for (const char* at = text.data(); at < end; ++at) {
            const char* wordEnd = at + random() % (static_cast<std::size_t>(end - at) + 1);
            const unsigned expected = searched(at, wordEnd, end);
            found += expected != 0 ? 1 : 0;
            ASSERT_EQ(index.cuesAt(at, wordEnd, end), expected)
                << "at " << (at - text.data()) << " of '" << text << "', word of " << (wordEnd - at);
        }
    }
    // The texts found phrases of every fit often enough to say something.
    EXPECT_GT(found, 3000);
}

TEST(FoldedSearch, FindsWhatTheFoldedTextHoldsWhereItFirstStands) {
    // Both cases of a literal's first byte, accented ones too, and bytes
    // that have one case only; literals that begin with each.
    const std::string bytes = "lLiIsS/\xc9\xe9 x";
    const char* const literals[] = {"l", "li", "lis", "/li", "\xe9l", " s", "sl"};
    std::mt19937 random(20261210);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) text += bytes[random() % bytes.size()];
        std::string folded = text;
        for (char& c : folded) c = static_cast<char>(foldedByte(c));
        for (const char* literal : literals) {
            const std::size_t expected = folded.find(literal);
            const char* found = findFolded(text.data(), text.data() + text.size(), literal);
            EXPECT_EQ(found == nullptr ? std::string::npos : static_cast<std::size_t>(found - text.data()), expected)
                << literal << " in " << text;
        }
    }
}
