#pragma once
#include <cstddef>

#include "reading/lines/byte_set.h"
#include "support/byte_table.h"

namespace postsift {

// The text helpers of the reading pass and of the scanner's line rules: one
// notion of a blank, of case folding and of a word, so that every rule reads
// a line the same way. Texts are Windows-1252 bytes.

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

inline const char* skipBlanks(const char* from, const char* to) {
    while (from < to && isBlank(*from)) ++from;
    return from;
}

// The first blank at or after `from`, or `to`. Four bytes a round: the
// rules' walks over words spend most of their time here, and a word is
// mostly longer than three bytes.
inline const char* firstBlank(const char* from, const char* to) {
    static constexpr byteSet blanks(" \t");  // one lookup a byte, where isBlank compares twice
    for (; to - from >= 4; from += 4) {
        if (blanks(from[0])) return from;
        if (blanks(from[1])) return from + 1;
        if (blanks(from[2])) return from + 2;
        if (blanks(from[3])) return from + 3;
    }
    while (from < to && !blanks(*from)) ++from;
    return from;
}

// The new end.
inline const char* trimBlanks(const char* from, const char* to) {
    while (to > from && isBlank(to[-1])) --to;
    return to;
}

// A byte in lower case: the ASCII letters, and the accented capitals of
// Windows-1252 ("\xc0" to "\xde", but for the multiplication sign), which
// mail programs write in French and German header names and dates. From a
// table, as it is asked of every byte compared.
inline constexpr byteTable<unsigned char> foldedBytes = tableOfBytes<unsigned char>([](unsigned char c) {
    const bool capital = (c >= 'A' && c <= 'Z') || (c >= 0xc0 && c <= 0xde && c != 0xd7);
    return capital ? c + 0x20 : c;
});
inline unsigned char foldedByte(char c) { return foldedBytes.of[static_cast<unsigned char>(c)]; }

// Whether [from, to) begins with, or is exactly, a lower-case literal,
// folded as above.
bool startsWithFolded(const char* from, const char* to, const char* lowerLiteral);
bool equalsFolded(const char* from, const char* to, const char* lowerLiteral);
// Where a lower-case literal first stands in [from, to), in either case;
// null where it does not.
const char* findFolded(const char* from, const char* to, const char* lowerLiteral);

// A run of bytes between blanks.
struct textWord {
    const char* begin;
    const char* end;
    bool empty() const { return begin == end; }
    std::size_t length() const { return static_cast<std::size_t>(end - begin); }
};

// The first word at or after `from`, before `to`; an empty word at `to`
// when none is left. Walking a text: for (w = wordAt(p, e); !w.empty(); w =
// wordAt(w.end, e)).
inline textWord wordAt(const char* from, const char* to) {
    const char* begin = skipBlanks(from, to);
    const char* end = begin;
    while (end < to && !isBlank(*end)) ++end;
    return {begin, end};
}

}  // namespace postsift
