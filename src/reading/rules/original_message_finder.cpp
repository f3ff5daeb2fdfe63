#include "reading/rules/original_message_finder.h"

#include "reading/lines/original_headers.h"
#include "reading/pass/block_facts.h"
#include "reading/pass/rule_table.h"

namespace postsift {

std::unique_ptr<readingRule> makeOriginalMessageFinder(const ruleSetting&) {
    return std::make_unique<originalMessageFinder>();
}

originalMessageFinder::kind originalMessageFinder::judge(const lineFacts& line, lineWindow& lines) const {
    if (line.line.depth != 0) return ordinary;
    if (line.separator == separatorKind::original) return knownSeparator;
    if (line.separator != separatorKind::none) return otherSeparator;
    if (line.originalHeader) {
        if (inHeaders_) return headerInBlock;
        return leadAllowed_ && seenText_ && originalHeaderFollows(line, 1, lines) ? blockLead : ordinary;
    }
    if (seenText_ && isUnderscoreLine(line) && originalHeaderFollows(line, 1, lines) &&
        originalHeaderFollows(line, 2, lines))
        return underscoreLead;
    return ordinary;
}

void originalMessageFinder::observe(lineFacts& line, passState& state, readingOutput&) {
    kind_ = state.news.armour ? ordinary : judge(line, state.lines);
    state.news.earlierMessageBegins = kind_ != ordinary && kind_ != headerInBlock;
}

void originalMessageFinder::enterSection(const messageLine& line, readingOutput& out) {
    if (!out.inEarlierMessage()) {
        out.put(originalMessageSeparator);
        out.put(line.end, line.next);
    }
    inHeaders_ = true;
}

// Writes the separator that the line stands for or that goes before it, if
// any, and hands back a header line to be written as the scanner reads
// one.
lineTaken originalMessageFinder::take(const lineFacts& line, passState& state, readingOutput& out) {
    // A forwarded message that is read is the forwards' to write.
    if (kind_ == ordinary || state.news.forwardBegins) return lineTaken::passed();
    const messageLine& text = line.line;
    const bool separatorWritten = !out.inEarlierMessage();
    bool asHeader = false;
    bool replaced = false;
    switch (kind_) {
        case knownSeparator: inHeaders_ = true; break;
        case otherSeparator:
        case underscoreLead:
            enterSection(text, out);
            replaced = separatorWritten;
            break;
        case blockLead:
            enterSection(text, out);
            asHeader = true;
            break;
        case headerInBlock: asHeader = true; break;
        case ordinary: break;
    }
    seenText_ = true;
    leadAllowed_ = false;
    lineTaken taken = lineTaken::upTo(text.next);
    if (asHeader) {
        headerLine_ = plainOriginalHeaderLine(text);
        taken.headerLine = headerLine_.data();
        taken.headerEnd = headerLine_.data() + headerLine_.size();
    } else if (!replaced) {
        out.put(text.begin, text.next);
    }
    return taken;
}

void originalMessageFinder::after(const lineFacts& line, lineFate fate, std::size_t, passState&, readingOutput&) {
    switch (fate) {
        case lineFate::forwardRead:
            // The forwarded message's text is read as a message's body.
            inHeaders_ = false;
            seenText_ = false;
            leadAllowed_ = false;
            break;
        case lineFate::attribution:
            seenText_ = true;
            inHeaders_ = false;
            leadAllowed_ = true;
            break;
        case lineFate::keywordLine:
        case lineFate::text:
        case lineFate::announced:
            if (line.line.depth == 0 && line.blank) {
                leadAllowed_ = true;
                break;
            }
            seenText_ = true;
            inHeaders_ = false;
            leadAllowed_ = false;
            break;
        case lineFate::leftOut:
        case lineFate::earlierMessage: break;
    }
}

}  // namespace postsift
