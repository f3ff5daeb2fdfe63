#include "reading/rules/original_message_finder.h"

#include "reading/lines/original_headers.h"
#include "reading/pass/block_facts.h"
#include "reading/pass/rule_table.h"

namespace postsift {

readingRule* makeOriginalMessageFinder(const ruleSetting&, ruleRoom& room) {
    return room.make<originalMessageFinder>();
}

originalMessageFinder::kind originalMessageFinder::judge(const lineFacts& line, lineWindow& lines) const {
    if (line.line.depth != 0) return ordinary;
    if (line.separator == separatorKind::original) return knownSeparator;
    if (line.separator == separatorKind::forwardEnd) return forwardEnd;
    if (line.separator != separatorKind::none) return otherSeparator;
    if (line.originalHeader) {
        if (inHeaders_) return headerInBlock;
        // After a blank line, or right under a line of the sender's text
        // (not under header lines, which a message pasted whole has above
        // its own, nor under a rule of dashes); under an attribution, two
        // lines will do.
        if (!seenText_) return ordinary;
        return (leadAllowed_ && beginsHeaderBlock(line, lines)) ||
                       (attributionAbove_ && originalHeaderFollows(line, 1, lines))
                   ? blockLead
                   : ordinary;
    }
    // A line of underscores holds no word, which most lines do.
    if (seenText_ && !line.hasWord && isUnderscoreLine(line) && originalHeaderFollows(line, 1, lines) &&
        originalHeaderFollows(line, 2, lines))
        return underscoreLead;
    return ordinary;
}

void originalMessageFinder::observe(lineFacts& line, passState& state, readingOutput&) {
    if (quotedUntil_ != nullptr) {
        kind_ = line.line.begin == quotedUntil_ ? forwardEnd : quotedForward;
        if (kind_ == forwardEnd) quotedUntil_ = nullptr;
    } else {
        kind_ = state.news.armour ? ordinary : judge(line, state.lines);
    }
    state.news.earlierMessageBegins =
        kind_ != ordinary && kind_ != headerInBlock && kind_ != forwardEnd && kind_ != quotedForward;
    // An ordinary line, as most are, is passed on by taking.
    showOnlyLinesHolding(taking, kind_ != ordinary ? 0u : heldByNoLine);
}

// The line that ends the forwarded text begun at `line`, or null when none
// follows. Each line is looked at once however many begin.
const char* originalMessageFinder::forwardEndBelow(const lineFacts& line) {
    if (endAt_ != nullptr && endAt_ > line.line.begin) return endAt_;
    const char* p = looked_ > line.line.next ? looked_ : line.line.next;
    while (p < line.textEnd) {
        const messageLine below = lineAt(p, line.textEnd);
        if (below.begin < below.end && *below.begin == '-' && separatorOf(below) == separatorKind::forwardEnd) {
            endAt_ = below.begin;
            looked_ = below.next;
            return endAt_;
        }
        p = below.next;
    }
    looked_ = line.textEnd;
    return nullptr;
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
    const messageLine& text = line.line;
    if (kind_ == quotedForward) {
        out.put("> ");
        out.put(text.begin, text.next);
        return lineTaken::upTo(text.next);
    }
    if (kind_ == forwardEnd) {
        inHeaders_ = false;
        return lineTaken::upTo(text.next);
    }
    // A forwarded message that is read is the forwards' to write.
    if (kind_ == ordinary || state.news.forwardBegins) return lineTaken::passed();
    const bool separatorWritten = !out.inEarlierMessage();
    if (separatorWritten && line.separator == separatorKind::forward) {
        // A forwarded text with its end below is written as a quote, which
        // the scanner leaves where it ends: an earlier message's section
        // would take the rest.
        quotedUntil_ = forwardEndBelow(line);
        if (quotedUntil_ != nullptr) return lineTaken::upTo(text.next);
    }
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
        case forwardEnd:
        case quotedForward:
        case ordinary: break;
    }
    seenText_ = true;
    attributionAbove_ = false;
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
            attributionAbove_ = false;
            leadAllowed_ = false;
            break;
        case lineFate::attribution:
            seenText_ = true;
            inHeaders_ = false;
            attributionAbove_ = true;
            leadAllowed_ = false;
            break;
        case lineFate::keywordLine:
        case lineFate::text:
        case lineFate::announced: {
            const messageLine& text = line.line;
            if (text.depth == 0 && line.blank) {
                leadAllowed_ = true;
                fieldsAbove_ = false;
                break;
            }
            seenText_ = true;
            inHeaders_ = false;
            attributionAbove_ = false;
            // A key name line has its colon, which most lines do not.
            const bool field = text.depth == 0 && ((line.hasColon && !text.isFolded() && isKeyNameLine(text)) ||
                                                   (fieldsAbove_ && text.isFolded()));
            fieldsAbove_ = field;
            leadAllowed_ = text.depth == 0 && line.hasWord && !field;
            break;
        }
        case lineFate::leftOut:
        case lineFate::earlierMessage:
        case lineFate::header: break;
    }
}

}  // namespace postsift
