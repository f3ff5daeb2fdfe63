#include "reading/rules/attribution_line.h"

#include <string>

#include "reading/lines/attribution_reading.h"
#include "reading/lines/attribution_words.h"
#include "reading/rules/initials_quote.h"
#include "reading/rules/original_message_finder.h"
#include "reading/lines/original_message_separator.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// An attribution is one line of a few words, or a run of at most three; a
// longer text is a paragraph that happens to end in "wrote:".
const std::size_t longestAttribution = 300;
const int linesAfterFirst = 2;
const int blankLinesBeforeQuote = 3;

const char canonicalSeparator[] = "-----Original Message-----";

// The first line of a wrapped attribution begins with its date: "On Wed,",
// "Le 23 janv.", "Am 14.03.2025", "11.03.2025", "El 11 mar". A paragraph that
// begins with "Le rapport" or "Am Montag" does not: after the first word
// one of the next two must be a number, a date or a month.
bool beginsWithDate(const char* p, const char* end) {
    int words = 0;
    while (p < end && words < 3) {
        const char* wordEnd = p;
        while (wordEnd < end && *wordEnd != ' ') ++wordEnd;
        const std::size_t length = static_cast<std::size_t>(wordEnd - p);
        if (length == 0 || !isDateWord(p, length)) return false;
        if (isAsciiDigit(static_cast<unsigned char>(*p)) || isMonthName(p, length)) return true;
        if (words == 0 && (wordEnd[-1] == ',' || wordEnd[-1] == '.') && length > 2) return true;  // "Wed,"
        p = wordEnd < end ? wordEnd + 1 : end;
        ++words;
    }
    return false;
}

// Where, in a line of reply text, an attribution may begin: after a
// sentence's end and a blank, at a word that begins a date.
const char* attributionInside(const char* begin, const char* end) {
    for (const char* p = begin; p + 2 < end; ++p) {
        if ((*p == '.' || *p == '!' || *p == '?') && p[1] == ' ' && beginsWithDate(skipBlanks(p + 1, end), end))
            return skipBlanks(p + 1, end);
    }
    return nullptr;
}

}  // namespace

const char* attributionLines::write(const messageLine& line, const char* textEnd, readingOutput& out) {
    const char* end = trimBlanks(line.content, line.end);
    const char* begin = skipBlanks(line.content, end);
    if (begin == end) return nullptr;
    // Most lines neither end in a colon nor begin with a date: they are
    // passed over at the cost of a look at their ends.
    const bool endsInColon = end[-1] == ':';
    const bool dated = beginsWithDate(begin, end);
    if (!endsInColon && !dated) return nullptr;
    std::string joined(begin, end);
    messageLine last = line;
    // A run that begins with a date may go on to a line that ends in a
    // colon, two lines further at most.
    if (dated && !endsInColon) {
        std::string longer = joined;
        messageLine next = line;
        for (int more = 0; more < linesAfterFirst && !next.isLast(textEnd); ++more) {
            next = lineAt(next.next, textEnd);
            if (next.depth != line.depth || next.isBlank()) break;
            const char* nextEnd = trimBlanks(next.content, next.end);
            longer.append(" ").append(skipBlanks(next.content, nextEnd), nextEnd);
            if (longer.size() > longestAttribution) break;
            if (longer.back() == ':') {
                joined = longer;
                last = next;
                break;
            }
        }
    }
    attributionReading reading = readAttribution(joined);
    if (reading.found && whatFollows(last, reading, textEnd) != follower::nothing)
        return writeAttribution(line, nullptr, last, reading, textEnd, out);
    if (!endsInColon) return nullptr;
    // An attribution at the end of a line of reply text.
    const char* inside = attributionInside(begin, end);
    if (inside == nullptr) return nullptr;
    reading = readAttribution(std::string(inside, end));
    if (!reading.found || whatFollows(line, reading, textEnd) == follower::nothing) return nullptr;
    return writeAttribution(line, inside, line, reading, textEnd, out);
}

// Writes the reply text before the attribution when it ends a line, then
// the attribution's phrase, or nothing, and a separator before an earlier
// message that has no '>' marks.
const char* attributionLines::writeAttribution(const messageLine& line, const char* from, const messageLine& last,
                                               const attributionReading& reading, const char* textEnd,
                                               readingOutput& out) {
    if (from != nullptr) {
        out.put(line.begin, trimBlanks(line.content, from));
        out.put(line.end, line.next);
    }
    if (!quotedTextLeftOut_ && phrase_ != nullptr && !reading.name.empty()) {
        out.put(line.begin, line.prefixEnd);
        out.putPhrase(phrase_, reading.name.c_str());
        out.put(last.end, last.next);
    }
    if (whatFollows(last, reading, textEnd) == follower::unquotedEarlierMessage && !out.inEarlierMessage()) {
        out.put(canonicalSeparator);
        out.put(last.end, last.next);
    }
    return last.next;
}

attributionLines::follower attributionLines::whatFollows(const messageLine& last, const attributionReading& reading,
                                                         const char* textEnd) const {
    messageLine next = last;
    for (int blanks = 0;; ++blanks) {
        if (next.isLast(textEnd)) return follower::nothing;
        next = lineAt(next.next, textEnd);
        if (next.depth > last.depth ||
            (findOriginalMessage_ && last.depth == 0 && initialsQuote::beginsRun(next, textEnd)))
            return follower::quote;
        if (next.depth != last.depth || !next.isBlank()) break;
        if (blanks == blankLinesBeforeQuote) return follower::nothing;
    }
    if (next.depth != 0) return follower::nothing;
    if (isOriginalMessageSeparator(next) ||
        (findOriginalMessage_ && originalMessageFinder::beginsAfterAttribution(next, textEnd)))
        return follower::earlierMessage;
    // Some programs write the earlier message under its attribution with no
    // '>' marks: trusted only for a wording of the languages, with a date
    // and a name.
    if (reading.certain && reading.dated && !reading.name.empty()) return follower::unquotedEarlierMessage;
    return follower::nothing;
}

}  // namespace postsift
