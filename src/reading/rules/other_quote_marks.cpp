#include "reading/rules/other_quote_marks.h"

#include <cstring>

#include "reading/lines/byte_set.h"
#include "reading/pass/block_facts.h"
#include "reading/pass/rule_table.h"

namespace postsift {

namespace {

// As many as an attribution may have above its quote.
const int blankLinesBeforeQuote = 3;

std::size_t markLength(const lineFacts& line) {
    return static_cast<std::size_t>(line.otherMark.end - line.otherMark.begin);
}

// The facts of the line read from after its mark, as a line quoted with
// '>' would be: its depth counts the mark and any '>' after it.
lineFacts quotedByMark(const lineFacts& line) {
    messageLine quoted = line.line;
    const char* p = line.otherMark.end;
    quoted.depth = 1;
    while (p < quoted.end && (*p == '>' || isBlank(*p))) {
        if (*p == '>') ++quoted.depth;
        ++p;
    }
    quoted.prefixEnd = p;
    quoted.content = p;
    lineFacts facts = factsOf(quoted, line.textEnd);
    facts.markAsQuote = line.otherMark.end;
    facts.boundary = line.boundary;
    return facts;
}

// What an elision marker begins with: a bracket ("<snip>", "[...]"), dots
// or the ellipsis, dashes ("-- snip --"), scissors ("8<", ">8", "%<"); and
// what it is made of: those, the words "snip" and "snipped" in any case,
// and blanks; never dashes and blanks alone (a rule of dashes). A line
// that begins otherwise is let go at its first byte, and most others at the
// first byte that no marker holds.
constexpr byteSet elisionStarts("<[({.\x85-8%>");
constexpr byteSet elisionBytes("<>[](){}.\x85-8%snipedSNIPED \t");

bool mayBeElision(const messageLine& line) {
    const char* p = skipBlanks(line.prefixEnd, line.end);
    if (p == line.end || !elisionStarts(*p)) return false;
    bool notDash = *p != '-';
    while (++p < line.end) {
        if (!elisionBytes(*p)) return false;
        notDash = notDash || (*p != '-' && !isBlank(*p));
    }
    return notDash;
}

}  // namespace

readingRule* makeOtherQuoteMarks(const ruleSetting&, ruleRoom& room) { return room.make<otherQuoteMarks>(); }

bool otherQuoteMarks::isQuote(const lineFacts& line, lineWindow& lines) const {
    const quoteMark& mark = line.otherMark;
    const std::size_t length = markLength(line);
    const bool known = std::strlen(mark_) == length && std::memcmp(mark_, line.otherMark.begin, length) == 0;
    if (known || underAttribution_) return true;
    if (mark.underAttribution) return false;
    if (quoteGoesOn_) return true;
    lineFacts next;
    return lines.next(line, next) && sameQuoteMark(mark, next.otherMark) &&
           (mark.hasText || next.otherMark.hasText);
}

// A quote begins on the next line, or on the one after a blank line.
bool otherQuoteMarks::quoteBelow(const lineFacts& line, lineWindow& lines) const {
    lineFacts next = line;
    for (int i = 0; i < 2 && lines.next(next, next); ++i) {
        if (next.line.depth > 0 || beginsInitialsQuote(next, lines) ||
            (next.otherMark.end != nullptr && !next.otherMark.underAttribution && isQuote(next, lines)))
            return true;
        if (!next.blank) return false;
    }
    return false;
}

void otherQuoteMarks::remember(const lineFacts& line) {
    const std::size_t length = markLength(line);
    std::memcpy(mark_, line.otherMark.begin, length);
    mark_[length] = '\0';
}

void otherQuoteMarks::observe(lineFacts& line, passState& state, readingOutput&) {
    elision_ = isElision(line, state);
    // Taking writes an elision marker quoted, and passes on every other line.
    showOnlyLinesHolding(taking, elision_ ? 0u : heldByNoLine);
}

// Whether the line stands for text left out of a quote; a line quoted by
// another mark is read from after it, as a quote, first. Most lines are
// turned away by a test or two, the rest of the work out of their way.
bool otherQuoteMarks::isElision(lineFacts& line, passState& state) {
    if (line.line.depth != 0 || state.news.armour) return false;
    if (line.otherMark.end != nullptr && readAsQuote(line, state.lines)) return false;
    return mayBeElision(line.line) && belongsToQuote(line, state.lines);
}

bool otherQuoteMarks::readAsQuote(lineFacts& line, lineWindow& lines) {
    if (!isQuote(line, lines)) return false;
    remember(line);
    line = quotedByMark(line);
    return true;
}

bool otherQuoteMarks::belongsToQuote(const lineFacts& line, lineWindow& lines) const {
    return isElisionMarker(line.line) && (quoteAbove_ || underAttribution_ || quoteBelow(line, lines));
}

lineTaken otherQuoteMarks::take(const lineFacts& line, passState&, readingOutput& out) {
    if (!elision_) return lineTaken::passed();
    out.put("> ");
    out.put(line.line.begin, line.line.next);
    return lineTaken::upTo(line.line.next);
}

void otherQuoteMarks::after(const lineFacts& line, lineFate fate, std::size_t, passState&, readingOutput&) {
    if (fate == lineFate::attribution) {
        underAttribution_ = true;
        blanksAfterAttribution_ = 0;
        quoteGoesOn_ = false;
        return;
    }
    if (line.line.depth == 0 && line.blank) {
        quoteAbove_ = quoteGoesOn_ || quoteAbove_;
        quoteGoesOn_ = false;
        if (++blanksAfterAttribution_ > blankLinesBeforeQuote) underAttribution_ = false;
        return;
    }
    quoteGoesOn_ = line.line.depth > 0 || elision_;
    quoteAbove_ = quoteGoesOn_;
    underAttribution_ = false;
}

}  // namespace postsift
