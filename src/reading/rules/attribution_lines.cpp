#include "reading/rules/attribution_lines.h"

#include <cstring>
#include <string>
#include <string_view>

#include "filter/language_phrases.h"
#include "filter/option_value.h"
#include "reading/dates/date_tokens.h"
#include "reading/lines/quote_marks.h"
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

// Whether one of the lines that may go on a run from `line` (as many as
// linesAfterFirst, at its depth, none blank) ends in a colon. Their facts
// are the window's, which the pass reads next anyway: most hold no colon.
bool colonFollows(const lineFacts& line, lineWindow& lines) {
    const int depth = line.line.depth;
    const lineFacts* next = &line;
    for (int more = 0; more < linesAfterFirst && (next = lines.after(*next)) != nullptr; ++more) {
        if (next->line.depth != depth || next->blank) return false;
        if (next->hasColon && trimBlanks(next->line.content, next->line.end)[-1] == ':') return true;
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

// Without a sentence's end before it ("Sounds good On Wed, Apr 4, 2012 at
// 3:59 PM, Bob <b@x.com> wrote:"), only a wording of the languages tells
// where it begins: at the first of the few last words that begin a date
// after which the rest reads as one.
const int datesTriedInside = 3;

const char* wordedAttributionInside(const char* begin, const char* end, attributionReading& reading) {
    const char* from = end - begin > static_cast<std::ptrdiff_t>(longestAttribution) ? end - longestAttribution : begin;
    int tried = 0;
    bool words = false;  // reply text stands before it, not a mark alone
    for (const char* p = begin; p < from; ++p) words = words || isAsciiLetter(static_cast<unsigned char>(*p));
    for (const char* p = from; p < end && tried < datesTriedInside; ++p) {
        if (p > begin && isAsciiLetter(static_cast<unsigned char>(p[-1]))) words = true;
        if (!words || !isBlank(p[-1]) || isBlank(*p) || !beginsWithDate(p, end)) continue;
        ++tried;
        reading = readAttribution(std::string_view(p, static_cast<std::size_t>(end - p)));
        if (reading.found && reading.certain) return p;
    }
    return nullptr;
}

}  // namespace

readingRule* makeAttributionLines(const ruleSetting& setting, ruleRoom& room) {
    // Quoted text is left out as the body handling reads "[INCLUDE FORWARDED
    // TEXT]": a missing entry or value lets it through.
    const filterEntry* text = setting.entry(optionIncludeForwardedText);
    const bool quotedTextLeftOut = text != nullptr && text->value() != nullptr && !valueSaysTrue(*text);
    attributionLines* rule = room.make<attributionLines>(
        phraseOf(setting.filter, symbolAttribution, buildLanguagePhrases().attribution), quotedTextLeftOut,
        setting.isOn(optionFindOriginalMessage));
    if (setting.isOn(optionReadForwardedMessages))
        rule->readsHistoryAlone(
            phraseOf(setting.filter, symbolForwardedMessage, buildLanguagePhrases().forwardedMessage));
    return rule;
}

lineTaken attributionLines::take(const lineFacts& line, passState& state, readingOutput& out) {
    const messageLine& text = line.line;
    const char* end = trimBlanks(text.content, text.end);
    const char* begin = skipBlanks(text.content, end);
    if (begin == end) return lineTaken::passed();
    // Most lines neither end in a colon nor begin with a date: they are
    // passed over at the cost of a look at their ends. A line that ends in
    // a colon is read as it stands, whatever it begins with.
    const bool endsInColon = end[-1] == ':';
    // Without a colon, a line is an attribution only as the first of a run
    // that ends in one, or with an address ("2025/3/11 Kenji <k@x.jp>").
    if (!endsInColon && (!line.hasAt || std::memchr(begin, '@', static_cast<std::size_t>(end - begin)) == nullptr) &&
        !colonFollows(line, state.lines))
        return lineTaken::passed();
    return read(line, begin, end, state, out);
}

// The few lines that may be one are read apart from the many passed over
// above, which then need none of what reading them takes.
lineTaken attributionLines::read(const lineFacts& line, const char* begin, const char* end, passState& state,
                                 readingOutput& out) {
    const messageLine& text = line.line;
    const bool endsInColon = end[-1] == ':';
    const bool dated = !endsInColon && beginsWithDate(begin, end);
    if (!endsInColon && !dated) return lineTaken::passed();
    // Read where it stands, unless lines below it join it.
    std::string_view joined(begin, static_cast<std::size_t>(end - begin));
    std::string run;  // the line and those below it, joined
    lineFacts last = line;
    // A run that begins with a date may go on to a line that ends in a
    // colon, two lines further at most.
    if (dated && !endsInColon) {
        run.assign(joined);
        lineFacts next = line;
        for (int more = 0; more < linesAfterFirst && state.lines.next(next, next); ++more) {
            if (next.line.depth != text.depth || next.blank) break;
            const char* nextEnd = trimBlanks(next.line.content, next.line.end);
            run.append(" ").append(skipBlanks(next.line.content, nextEnd), nextEnd);
            if (run.size() > longestAttribution) break;
            if (run.back() == ':') {
                joined = run;
                last = next;
                break;
            }
        }
    }
    attributionReading reading = readAttribution(joined);
    if (reading.found && whatFollows(last, reading, state.lines) != follower::nothing)
        return lineTaken::upTo(writeAttribution(line, nullptr, last, reading, state.lines, out));
    if (!endsInColon) return lineTaken::passed();
    // Without a sentence's end before it, only a wording tells an
    // attribution inside a line; a wording that the whole line neither ends
    // with nor holds, no end of it does (when the line was short enough to
    // be read for one).
    const bool mayBeWorded = reading.certain || joined.size() > longestAttribution;
    // An attribution at the end of a line of reply text.
    const char* inside = attributionInside(begin, end);
    if (inside != nullptr) reading = readAttribution(std::string_view(inside, static_cast<std::size_t>(end - inside)));
    if (inside == nullptr || !reading.found)
        inside = mayBeWorded ? wordedAttributionInside(begin, end, reading) : nullptr;
    if (inside == nullptr || whatFollows(line, reading, state.lines) == follower::nothing) return lineTaken::passed();
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
        out.putPrefix(line);
        out.put(text.prefixEnd, trimBlanks(text.content, from));
        out.put(text.end, text.next);
    }
    const bool history = whatFollows(last, reading, lines) == follower::unquotedEarlierMessage;
    if (history && !ownWords_ && forwardPhrase_ != nullptr) {
        // Nothing of the sender's own stands above it, and all that follows
        // is the earlier message: left out, the listener would hear the
        // summary alone. It is read as a forward.
        out.putPhrase(forwardPhrase_, reading.name.c_str());
        out.put(last.line.end, last.line.next);
        return last.line.next;
    }
    if (!quotedTextLeftOut_ && phrase_ != nullptr && !reading.name.empty()) {
        out.putPrefix(line);
        out.putPhrase(phrase_, reading.name.c_str());
        out.put(last.line.end, last.line.next);
    }
    if (history && !out.inEarlierMessage()) {
        out.put(originalMessageSeparator);
        out.put(last.line.end, last.line.next);
    }
    return last.line.next;
}

void attributionLines::after(const lineFacts& line, lineFate fate, std::size_t, passState&, readingOutput&) {
    // Once one line of the sender's own is known, no other is asked: the
    // rule hears no line's fate any more.
    if (!ownWords_ && (fate == lineFate::text || fate == lineFate::keywordLine) && holdsOwnWords(line)) {
        ownWords_ = true;
        showOnlyLinesHolding(following, heldByNoLine);
    }
}

// Amortised over the message: each line is looked at once, however many
// attributions ask.
bool attributionLines::quoteFollows(const lineFacts& from) {
    if (quoteAt_ != nullptr && quoteAt_ >= from.line.begin) return true;
    const char* p = looked_ > from.line.begin ? looked_ : from.line.begin;
    const char* textEnd = from.textEnd;
    while (p < textEnd) {
        const messageLine line = lineAt(p, textEnd);
        if (line.depth > 0 || (findOriginalMessage_ && beginsAnyQuote(line, textEnd))) {
            quoteAt_ = line.begin;
            looked_ = line.next;
            return true;
        }
        p = line.next;
    }
    looked_ = textEnd;
    return false;
}

attributionLines::follower attributionLines::whatFollows(const lineFacts& last, const attributionReading& reading,
                                                         lineWindow& lines) {
    const int depth = last.line.depth;
    const bool otherForms = findOriginalMessage_ && depth == 0;
    lineFacts next = last;
    for (int blanks = 0;; ++blanks) {
        if (!lines.next(next, next)) return follower::nothing;
        // Right under an attribution, any quote mark quotes, and so do
        // initials; "<snip>" stands for the quote's first lines.
        if (next.line.depth > depth ||
            (otherForms && (next.otherMark.end != nullptr || beginsInitialsQuote(next, lines))))
            return follower::quote;
        const bool elision = otherForms && isElisionMarker(next.line);
        if (!elision && (next.line.depth != depth || !next.blank)) break;
        if (blanks == blankLinesBeforeQuote) return follower::nothing;
    }
    // A quoted attribution (by a mark the scanner does not know, the line
    // after it looks unquoted) speaks for quoted text only.
    if (next.line.depth != 0 || depth != 0) return follower::nothing;
    if (next.separator == separatorKind::original || (findOriginalMessage_ && beginsEarlierMessage(next, lines)))
        return follower::earlierMessage;
    // Some programs write the earlier message under its attribution with no
    // '>' marks: trusted only for a wording of the languages, with a date
    // and a name, and when no quote follows anywhere below: text between an
    // attribution and its quote ("..." or a note) is no earlier message,
    // and what follows the quote is the answer.
    if (reading.certain && !reading.spoken && reading.dated && !reading.name.empty() && !quoteFollows(next))
        return follower::unquotedEarlierMessage;
    return follower::nothing;
}

}  // namespace postsift
