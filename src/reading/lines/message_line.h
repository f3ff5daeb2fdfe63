#pragma once
#include <cstddef>

#include "reading/lines/line_text.h"

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
    bool isBlank() const { return skipBlanks(prefixEnd, end) == end; }
    // A line of a folded header item: it begins with a blank and holds more.
    bool isFolded() const { return begin < end && postsift::isBlank(*begin) && !isBlank(); }
    // The content, after the prefix, is exactly this text; trailing blanks
    // are allowed when `trailingBlanks` says so.
    bool contentIs(const char* literal, bool trailingBlanks) const;
};

// The line that begins at `position` (which lies before `textEnd`).
messageLine lineAt(const char* position, const char* textEnd);

// Just past the quote prefix of the line that begins at `position`, as
// lineAt cuts it; no line end need be found first, since a line end stops
// the prefix as any other byte but '>' and blanks does.
const char* quotePrefixEnd(const char* position, const char* textEnd);

// The scanner's character sets: a byte of a body word, and of a keyword
// (a body word's bytes but ':'). A table, as every line with a colon, and
// every line of the leading header, is walked by them.
struct scannerByteSets {
    bool body[256];
    bool keyword[256];
};
inline constexpr scannerByteSets scannerBytes = [] {
    scannerByteSets sets{};
    for (int c = 0; c < 256; ++c) {
        sets.body[c] = c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\0' && c != '*' && c != '>' && c != '_';
        sets.keyword[c] = sets.body[c] && c != ':';
    }
    return sets;
}();
inline bool isScannerBodyByte(char c) { return scannerBytes.body[static_cast<unsigned char>(c)]; }
inline bool isScannerKeywordByte(char c) { return scannerBytes.keyword[static_cast<unsigned char>(c)]; }

// Where the header keyword of a line ends (just past its colon), when the
// scanner takes the line for a header line: a word ending in ':' at the
// start of an unquoted line, or a key name and ':' right after a quote
// prefix. `keyword` receives where the keyword begins (blanks skipped).
// Null when the line holds no keyword.
const char* headerKeywordEnd(const messageLine& line, const char*& keyword);

// A header line as the scanner reads one in an earlier message's section:
// blanks, a key name (a letter, then letters, digits, '-' and '_') and a
// colon.
bool isKeyNameLine(const messageLine& line);

// Quotes marked with the writer's initials, as some mail programs write
// them ("AB> Try it again", "K> The article is online", "Chris> Am I the
// only one"), with or without a leading blank: an unquoted line that begins
// with one to three letters, or a name of up to ten letters that begins with
// a capital, and a '>'. Where its '>' stands, and in `letters` where the
// initials begin; null for any other line. Only a run of such lines is a
// quote, or a lone line of initials in capitals.
const char* initialsQuoteMark(const messageLine& line, const char*& letters);

// Initials that quote on a line of their own: one to three capitals, then
// the '>' at `mark` and a blank ("GS> Did it work?").
bool quotesAlone(const messageLine& line, const char* letters, const char* mark);

}  // namespace postsift
