#pragma once
// Shapes of real mail that the reading figures look for in a raw message,
// judged simply: they measure before and after a change, they decide
// nothing in the library, and they are not tests.
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace postsift::bench {

// The kinds of boilerplate that close a message.
enum trailerKind : unsigned {
    listTrailer = 1,     // "... mailing list", listinfo, mailman
    sponsorBlock = 2,    // "This email is sponsored by", advertisements
    subscription = 4,    // "to unsubscribe", "to be removed from this list"
    disclaimer = 8,      // "confidential", "intended recipient"
};

struct trailer {
    unsigned kinds = 0;              // 0: the text ends with none
    std::vector<std::string> lines;  // the trailer's lines, its rule lines left out
};

// The boilerplate that ends the lines of a text part: the blocks below
// rule lines (underscores, dashes, equals, stars) at the end, from the last
// one up as long as each names boilerplate, at most 15 lines each; else a
// last paragraph of at most 6 lines that names a list, a way to
// unsubscribe or a disclaimer outright.
trailer finalTrailer(const std::vector<std::string>& lines);

// "list trailer, sponsor"
std::string kindNames(unsigned kinds);

// For each line, whether it has the shape of code, a log, a diff or a
// configuration rather than prose: a diff's lines ("@@", "+++", then
// "+", "-" and " " lines), a timestamp first ("10:59:39", "2002-08-20",
// "Jul 22 10:59:39"), as many symbols ({}[]()<>;=$#\|&*/@%^~`_) as words
// and four at least, a line ending in ";", "{" or "}" with three symbols
// and half as many as words, two "key = value" lines in a row, or a hex
// run (eight hex digits, letters and digits both, or "0x" and four).
std::vector<bool> codeLines(const std::vector<std::string>& lines);

// The places where a line ends without a sentence end and the next starts
// with a small letter: (last word of the line, lower-cased; first word of
// the next). A full stop spoken between the two is one the writer never
// wrote.
std::set<std::pair<std::string, std::string>> continuedLines(const std::vector<std::string>& lines);

// The "word. next" places of a spoken text whose pair is in `continued`,
// shown as "word. next".
std::vector<std::string> fullStopsBefore(std::string_view spoken,
                                         const std::set<std::pair<std::string, std::string>>& continued);

// A Date: value that says a day, a month by name, a year and a time, in any
// order: valid, or near enough to be repaired.
bool isUsableDate(std::string_view date);

// What of a date a spoken summary should have said in words but kept as
// written: a time with seconds ("10:00:00"), a numeric zone ("+0100"), or
// the raw value itself. A piece that `elsewhere` holds (the subject, the
// sender: "Time: 10:00:00" in a subject) is not the date's. Empty when
// there is none.
std::string dateLeftOver(std::string_view summary, std::string_view date, std::string_view elsewhere);

// The year of a usable date in four digits ("01" is 2001, "98" 1998): a
// summary that says the date says it in digits in every language.
std::string yearOf(std::string_view date);

// A header value with its encoded words ("=?iso-8859-1?Q?J=F8rgen?=")
// decoded to their bytes. An East Asian charset becomes a blank: its bytes
// hold ASCII letters that are no words, and Windows-1252 has none of its
// characters to say.
std::string decodedHeader(std::string_view value);

// The words that name a sender in a From: value: the display name, else
// the comment of "address (Name)", else the address's local part ('""
// <address>' has no name).
std::string senderName(std::string_view from);

}  // namespace postsift::bench
