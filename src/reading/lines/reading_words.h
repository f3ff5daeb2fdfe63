#pragma once
#include <bitset>
#include <cstddef>

namespace postsift {

// The kinds of block that are announced instead of read, line by line.
enum class codeKind { code, log, diff, stackTrace, shellSession, configuration, hexDump, numbers };
inline constexpr int codeKindCount = 8;

// Words of one language that the reading rules need beside its phrases:
// plain data, defined beside each language's built-in table. Texts are
// Windows-1252.
struct readingWords {
    // The words after which no sentence ends: the language's articles,
    // prepositions and conjunctions (and the possessives, which need their
    // noun), in lower case, each with a blank before and after it:
    // " a an the of ... ". A line that ends with one goes on in the next.
    const char* continuing;
    // What each kind of block is called, with its article, in the order of
    // codeKind: the "%s" of the phrase of "[CODE BLOCK]" ("A diff",
    // "Un journal", "Eine Shell-Sitzung").
    const char* kinds[codeKindCount];
};

// The words of the language this library was built for; each build's
// language folder defines them beside the choice of its built-in table.
const readingWords& buildReadingWords();

// Whether a word, folded to lower case, is one of `continuing`.
bool isContinuingWord(const readingWords& words, const char* begin, const char* end);

// The same question asked of many words, as the paragraphs' last words
// are: a word whose length and first letter no continuing word has is told
// so without searching the list.
class continuingWords {
public:
    // The longest continuing word of any language is short: anything
    // longer is no such word.
    static constexpr std::size_t longest = 15;

    explicit continuingWords(const readingWords& words);

    bool has(const char* begin, const char* end) const;

private:
    const readingWords& words_;
    std::bitset<256> firstBytes_[longest + 1];  // by length, the folded first bytes
};

// The continuing words of this build's language, indexed once.
const continuingWords& buildContinuingWords();

}  // namespace postsift
