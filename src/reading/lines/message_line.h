#pragma once
#include <cstddef>

namespace postsift {

// One line of a message held in memory, cut the way the e-mail scanner sees
// it: the quote prefix ('>' followed by any '>' and blanks) at the very start
// of the line, then its content, then its line end. A CR before the LF
// belongs to the line end, so that CR LF mail reads like LF mail.
struct messageLine {
    const char* begin = nullptr;      // the first byte of the line
    const char* prefixEnd = nullptr;  // just past the quote prefix (== begin when unquoted)
    const char* content = nullptr;    // where the content to write begins (normally prefixEnd)
    const char* end = nullptr;        // the first byte of the line end, or the text's end
    const char* next = nullptr;       // the first byte of the next line
    int depth = 0;                    // how many '>' the prefix holds

    bool isLast(const char* textEnd) const { return next >= textEnd; }
    // Nothing but blanks after the prefix.
    bool isBlank() const;
    // The content, after the prefix, is exactly this text; trailing blanks
    // are allowed when `trailingBlanks` says so.
    bool contentIs(const char* literal, bool trailingBlanks) const;
};

// The line that begins at `position` (which lies before `textEnd`).
messageLine lineAt(const char* position, const char* textEnd);

// Byte helpers over [from, to): ASCII case folding only.
bool startsWithFolded(const char* from, const char* to, const char* lowerLiteral);
const char* skipBlanks(const char* from, const char* to);
const char* trimBlanks(const char* from, const char* to);  // the new end

// Where the header keyword of a line ends (just past its colon), when the
// scanner takes the line for a header line: a word ending in ':' at the
// start of an unquoted line, or a key name and ':' right after a quote
// prefix. `keyword` receives where the keyword begins (blanks skipped).
// Null when the line holds no keyword.
const char* headerKeywordEnd(const messageLine& line, const char*& keyword);

}  // namespace postsift
