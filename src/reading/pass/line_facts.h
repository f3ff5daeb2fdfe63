#pragma once
#include "reading/lines/header_names.h"
#include "reading/lines/message_line.h"
#include "reading/lines/quote_marks.h"
#include "reading/lines/separators.h"

namespace postsift {

// What the rules of the reading pass ask of a line, worked out once. A
// first cheap walk over the bytes notes what kinds of byte the line holds,
// and only a line that can be a header line, a separator or a quote is
// looked at more closely: most lines of a message are text, and no rule
// need rescan them to learn so.
struct lineFacts {
    messageLine line;
    const char* textEnd = nullptr;  // the end of the text the line is in

    // The first look.
    bool blank = false;     // nothing but blanks after the quote prefix
    bool hasWord = false;   // a letter, a digit or a byte above ASCII after the prefix
    bool hasDigit = false;  // a date or a time can stand here
    bool hasColon = false;  // a keyword, a header line or an attribution can
    bool hasLink = false;   // "://", "mailto:" or "www.": a link can begin here
    bool hasCodeSign = false;  // a bracket, ';', '=', '$' or another sign of code: a program's line can be
    bool hasDateStart = false;  // a figure, or a capital that may begin a day's or a month's name
    bool hasDash = false;       // '-', an en dash or an em dash
    bool hasAt = false;         // '@': an address can stand here

    // The closer look.
    const char* keyword = nullptr;     // the header keyword as the scanner reads it (headerKeywordEnd) ...
    const char* keywordEnd = nullptr;  // ... and just past its colon; null when the line has none
    separatorKind separator = separatorKind::none;
    // A header line written above an earlier message ("From:", "*Envoyé :*").
    bool originalHeader = false;
    originalField field = originalField::other;
    const char* value = nullptr;  // where its value begins
    // Quotes marked with initials ("AB> text"): where the '>' stands and
    // the initials begin; null when the line does not begin so.
    const char* initialsMark = nullptr;
    const char* initials = nullptr;
    // A quote mark other than '>' at its start ("| ", ") ", "--]"); its end
    // is null when the line begins with none.
    quoteMark otherMark;
    // Set by the rule that reads the line as a quote by such a mark: the
    // end of the mark, which the pass writes as '>' and blanks for the
    // scanner; the facts above are then those of the quoted line.
    const char* markAsQuote = nullptr;

    // Set by the pass for the line it reads, not for lines looked at ahead.
    bool boundary = false;  // a MIME boundary line of the message
    bool header = false;    // a line of a header block that the pass writes as one
    bool folded = false;    // of the leading header: it goes on with the item above it

    bool isLast() const { return line.next >= textEnd; }
    std::size_t initialsLength() const { return static_cast<std::size_t>(initialsMark - initials); }
};

// What a line holds, as bits, for the rules that ask to be shown only the
// lines that hold something (readingRule::showOnlyLinesHolding).
enum lineHolding : unsigned {
    holdsKeyword = 1,  // a header keyword as the scanner reads one
    holdsDigit = 2,
    holdsLink = 4,
    holdsDash = 8,
    // No line holds it: a rule whose observing tells it that it will pass a
    // line on asks so, and the pass makes no call for the many lines it
    // would only pass on.
    heldByNoLine = 1u << 31,
};

lineFacts factsOf(const messageLine& line, const char* textEnd);
// The facts a header field is read by, and no more: the line, whether it
// is blank, its keyword and what it is as a header line of an earlier
// message. For the lines of a field that rules read and nobody hears.
lineFacts fieldFactsOf(const messageLine& line, const char* textEnd);
// The bits of lineHolding that the line's facts hold.
unsigned holdingsOf(const lineFacts& line);
inline lineFacts factsAt(const char* position, const char* textEnd) {
    return factsOf(lineAt(position, textEnd), textEnd);
}

}  // namespace postsift
