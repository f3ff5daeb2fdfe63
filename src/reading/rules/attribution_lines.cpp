#include "reading/rules/attribution_lines.h"

#include <string>

#include "filter/language_phrases.h"
#include "filter/option_value.h"
#include "reading/dates/date_tokens.h"
#include "reading/pass/block_facts.h"
#include "reading/pass/rule_table.h"
#include "reading/rules/attribution_reading.h"
#include "support/ascii.h"

namespace postsift {

namespace {

const int linesAfterFirst = 2;
const int blankLinesBeforeQuote = 3;

// The first line of a wrapped attribution begins with its date: "On Wed,",
// "Le 23 janv.", "Am 14.03.2025", "11.03.2025", "El 11 mar". A paragraph that
// begins with "Le rapport" or "Am Montag" does not: after the first word
// one of the next two must be a number, a date or a month.
bool beginsWithDate(const char* p, const char* end) {
    int words = 0;
    for (textWord w = wordAt(p, end); !w.empty() && words < 3; w = wordAt(w.end, end), ++words) {
        const dateWordKind kind = dateWordOf(w.begin, w.length());
        if (kind == dateWordKind::none) return false;
        if (isAsciiDigit(static_cast<unsigned char>(*w.begin)) || kind == dateWordKind::month) return true;
        if (words == 0 && (w.end[-1] == ',' || w.end[-1] == '.') && w.length() > 2) return true;  // "Wed,"
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

std::unique_ptr<readingRule> makeAttributionLines(const ruleSetting& setting) {
    // Quoted text is left out as the body handling reads "[INCLUDE FORWARDED
    // TEXT]": a missing entry or value lets it through.
    const filterEntry* text = setting.entry(optionIncludeForwardedText);
    const bool quotedTextLeftOut = text != nullptr && text->value() != nullptr && !valueSaysTrue(*text);
    return std::make_unique<attributionLines>(
        phraseOf(setting.filter, symbolAttribution, buildLanguagePhrases().attribution), quotedTextLeftOut,
        setting.isOn(optionFindOriginalMessage));
}

lineTaken attributionLines::take(const lineFacts& line, passState& state, readingOutput& out) {
    const messageLine& text = line.line;
    const char* end = trimBlanks(text.content, text.end);
    const char* begin = skipBlanks(text.content, end);
    if (begin == end) return lineTaken::passed();
    // Most lines neither end in a colon nor begin with a date: they are
    // passed over at the cost of a look at their ends.
    const bool endsInColon = end[-1] == ':';
    const bool dated = beginsWithDate(begin, end);
    if (!endsInColon && !dated) return lineTaken::passed();
    std::string joined(begin, end);
    lineFacts last = line;
    // A run that begins with a date may go on to a line that ends in a
    // colon, two lines further at most.
    if (dated && !endsInColon) {
        std::string longer = joined;
        lineFacts next = line;
        for (int more = 0; more < linesAfterFirst && state.lines.next(next, next); ++more) {
            if (next.line.depth != text.depth || next.blank) break;
            const char* nextEnd = trimBlanks(next.line.content, next.line.end);
            longer.append(" ").append(skipBlanks(next.line.content, nextEnd), nextEnd);
            if (longer.size() > longestAttribution) break;
            if (longer.back() == ':') {
                joined = longer;
                last = next;
                break;
            }
        }
    }
    attributionReading reading = readAttribution(joined);
    if (reading.found && whatFollows(last, reading, state.lines) != follower::nothing)
        return lineTaken::upTo(writeAttribution(line, nullptr, last, reading, state.lines, out));
    if (!endsInColon) return lineTaken::passed();
    // An attribution at the end of a line of reply text.
    const char* inside = attributionInside(begin, end);
    if (inside == nullptr) return lineTaken::passed();
    reading = readAttribution(std::string(inside, end));
    if (!reading.found || whatFollows(line, reading, state.lines) == follower::nothing) return lineTaken::passed();
    return lineTaken::upTo(writeAttribution(line, inside, line, reading, state.lines, out));
}

// Writes the reply text before the attribution when it ends a line, then
// the attribution's phrase, or nothing, and a separator before an earlier
// message that has no '>' marks.
const char* attributionLines::writeAttribution(const lineFacts& line, const char* from, const lineFacts& last,
                                               const attributionReading& reading, lineWindow& lines,
                                               readingOutput& out) {
    const messageLine& text = line.line;
    if (from != nullptr) {
        out.put(text.begin, trimBlanks(text.content, from));
        out.put(text.end, text.next);
    }
    if (!quotedTextLeftOut_ && phrase_ != nullptr && !reading.name.empty()) {
        out.put(text.begin, text.prefixEnd);
        out.putPhrase(phrase_, reading.name.c_str());
        out.put(last.line.end, last.line.next);
    }
    if (whatFollows(last, reading, lines) == follower::unquotedEarlierMessage && !out.inEarlierMessage()) {
        out.put(originalMessageSeparator);
        out.put(last.line.end, last.line.next);
    }
    return last.line.next;
}

attributionLines::follower attributionLines::whatFollows(const lineFacts& last, const attributionReading& reading,
                                                         lineWindow& lines) const {
    const int depth = last.line.depth;
    lineFacts next = last;
    for (int blanks = 0;; ++blanks) {
        if (!lines.next(next, next)) return follower::nothing;
        if (next.line.depth > depth || (findOriginalMessage_ && depth == 0 && beginsInitialsRun(next, lines)))
            return follower::quote;
        if (next.line.depth != depth || !next.blank) break;
        if (blanks == blankLinesBeforeQuote) return follower::nothing;
    }
    if (next.line.depth != 0) return follower::nothing;
    if (next.separator == separatorKind::original || (findOriginalMessage_ && beginsEarlierMessage(next, lines)))
        return follower::earlierMessage;
    // Some programs write the earlier message under its attribution with no
    // '>' marks: trusted only for a wording of the languages, with a date
    // and a name.
    if (reading.certain && reading.dated && !reading.name.empty()) return follower::unquotedEarlierMessage;
    return follower::nothing;
}

}  // namespace postsift
