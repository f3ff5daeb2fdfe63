#pragma once

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

}  // namespace postsift
