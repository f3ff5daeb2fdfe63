// The splitting of a line into words and the gate before the phrase index,
// each against the plain walk it stands for, on random texts.
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "reading/lines/folded_phrases.h"
#include "reading/lines/line_text.h"
#include "reading/rules/phrase_gate.h"
#include "reading/rules/word_runs.h"

using namespace postsift;

namespace {

// Random texts of pieces: words, blanks and tabs, signs, accents, the
// beginnings of the phrases below in either case.
std::string randomText(std::mt19937& random, int pieces) {
    static const char* const parts[] = {"to", "TO", " ", " ", "\t", "  ", "be", "Be", "re", "moved", "d\xe9", "D\xc9",
                                        "sab", "onn", "\xe9", "\x92", "(", "\"", "x", "I", "i'm", "win", "WIN", "dows",
                                        "!", ".", ",", "abo", "2", "mfg", "try9", "trY\xe9", "-", "'", "to be re",
                                        "To Be", "to\tbe", "d\xe9sab", "D\xc9SABONN", "this li", "This", " list", "thi"};
    std::string text;
    for (int n = 0; n < pieces; ++n) text += parts[random() % (sizeof parts / sizeof parts[0])];
    return text;
}

bool isWordByte(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u >= 128;
}

}  // namespace

TEST(WordRuns, CutATextAsWordAtDoes) {
    std::mt19937 random(20261209);
    for (int round = 0; round < 400; ++round) {
        // Long texts too, which are split in pieces, and a word longer
        // than a piece.
        std::string text = randomText(random, 1 + static_cast<int>(random() % (round % 4 == 0 ? 400 : 30)));
        if (round % 25 == 0) text.insert(random() % (text.size() + 1), std::string(700, 'w'));
        const char* end = text.data() + text.size();
        std::vector<std::string> expected;
        for (textWord w = wordAt(text.data(), end); !w.empty(); w = wordAt(w.end, end))
            expected.emplace_back(w.begin, w.end);
        std::vector<std::string> found;
        wordRuns runs;
        for (const char* piece = text.data(); piece < end;) {
            piece = runs.split(piece, end);
            for (std::size_t i = 0; i < runs.count(); ++i) found.emplace_back(runs.begin(i), runs.end(i));
        }
        ASSERT_EQ(found, expected) << "'" << text << "'";
    }
}

namespace {

struct gateList {
    std::vector<const char*> phrases;
    phraseFit fit;
};

// How many words a phrase of the lists begins at, and how many words the
// gate built from them turns away, in random texts; fails at a word that
// a phrase begins at and the gate turns away.
void compare(const std::vector<gateList>& lists, int& found, int& turnedAway) {
    foldedPhrases index;
    phraseGate gate;
    for (const gateList& list : lists) {
        index.add(list.phrases.data(), list.phrases.size(), 1u, list.fit);
        gate.add(list.phrases.data(), list.phrases.size(), list.fit);
    }
    std::mt19937 random(20261210);
    found = turnedAway = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string text = randomText(random, 1 + static_cast<int>(random() % 8));
        const char* end = text.data() + text.size();
        for (const char* at = text.data(); at < end; ++at) {
            if (!isWordByte(*at)) continue;
            // The word is as far as its run's last byte of a word.
            const char* runEnd = firstBlank(at, end);
            const char* wordEnd = runEnd;
            while (!isWordByte(wordEnd[-1])) --wordEnd;
            const bool phrase = index.cuesAt(at, wordEnd, end) != 0;
            const bool through = gate.mayBeginAt(at, end);
            found += phrase ? 1 : 0;
            turnedAway += through ? 0 : 1;
            ASSERT_TRUE(through || !phrase) << "at " << (at - text.data()) << " of '" << text << "'";
        }
    }
}

}  // namespace

TEST(PhraseGate, LetsThroughEveryWordThatAPhraseBeginsAt) {
    // Phrases shorter than the gate's four bytes, of each fit, with signs
    // and blanks in them.
    std::vector<gateList> lists = {
        {{"to be removed", "d\xe9sabonn", "i'm", "re-", "abonn\xe9", "sab", "this list"}, phraseFit::begins},
        {{"win", "try"}, phraseFit::beginsThenNoLetter},
        {{"i", "me", "abo", "x", "d\xe9"}, phraseFit::isWord},
        {{"mfg", "be", "win"}, phraseFit::beginsThenNoWordByte},
    };
    int found = 0;
    int turnedAway = 0;
    compare(lists, found, turnedAway);
    EXPECT_GT(found, 2000);
    EXPECT_GT(turnedAway, 2000);
    // A phrase of two bytes that may go on ("to" of "today") is more than
    // the gate can list the ways of: it lets every word through.
    lists.push_back({{"to"}, phraseFit::begins});
    compare(lists, found, turnedAway);
    EXPECT_EQ(turnedAway, 0);
}
