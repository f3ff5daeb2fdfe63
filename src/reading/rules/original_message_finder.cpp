#include "reading/rules/original_message_finder.h"

#include "reading/lines/original_headers.h"
#include "reading/lines/original_message_separator.h"

namespace postsift {

namespace {

const char canonicalSeparator[] = "-----Original Message-----";

// Mail programs draw lines of various lengths; any run of ten or more will do.
bool isUnderscoreLine(const messageLine& line) {
    if (line.depth != 0) return false;
    const char* end = trimBlanks(line.begin, line.end);
    const char* p = line.begin;
    while (p < end && *p == '_') ++p;
    return p == end && end - line.begin >= 10;
}

// The n-th line after this one is an original header line.
bool headerFollows(const messageLine& line, const char* textEnd, int n) {
    messageLine next = line;
    for (int i = 0; i < n; ++i) {
        if (next.isLast(textEnd)) return false;
        next = lineAt(next.next, textEnd);
    }
    return isOriginalHeaderLine(next);
}

}  // namespace

originalMessageFinder::kind originalMessageFinder::judge(const messageLine& line, const char* textEnd) const {
    if (line.depth != 0) return ordinary;
    if (isOriginalMessageSeparator(line)) return knownSeparator;
    if (isOtherSeparator(line)) return otherSeparator;
    if (isOriginalHeaderLine(line)) {
        if (inHeaders_) return headerInBlock;
        return leadAllowed_ && seenText_ && headerFollows(line, textEnd, 1) ? blockLead : ordinary;
    }
    if (seenText_ && isUnderscoreLine(line) && headerFollows(line, textEnd, 1) && headerFollows(line, textEnd, 2))
        return underscoreLead;
    return ordinary;
}

bool originalMessageFinder::beginsAfterAttribution(const messageLine& line, const char* textEnd) {
    if (line.depth != 0) return false;
    if (isOriginalMessageSeparator(line) || isOtherSeparator(line)) return true;
    const int first = isUnderscoreLine(line) ? 1 : 0;
    return headerFollows(line, textEnd, first) && headerFollows(line, textEnd, first + 1);
}

void originalMessageFinder::enterSection(const messageLine& line, readingOutput& out) {
    if (!out.inEarlierMessage()) {
        out.put(canonicalSeparator);
        out.put(line.end, line.next);
    }
    inHeaders_ = true;
}

originalMessageFinder::form originalMessageFinder::begin(const messageLine& line, kind k, readingOutput& out) {
    const bool separatorWritten = !out.inEarlierMessage();
    form result = asItStands;
    switch (k) {
        case knownSeparator: inHeaders_ = true; break;
        case otherSeparator:
        case underscoreLead:
            enterSection(line, out);
            if (separatorWritten) result = replaced;
            break;
        case blockLead:
            enterSection(line, out);
            result = asHeader;
            break;
        case headerInBlock: result = asHeader; break;
        case ordinary: break;
    }
    seenText_ = true;
    leadAllowed_ = false;
    return result;
}

void originalMessageFinder::passOver(const messageLine& line) {
    if (line.depth == 0 && line.isBlank()) {
        leadAllowed_ = true;
        return;
    }
    seenText_ = true;
    inHeaders_ = false;
    leadAllowed_ = false;
}

void originalMessageFinder::startBody() {
    inHeaders_ = false;
    seenText_ = false;
    leadAllowed_ = false;
}

void originalMessageFinder::passOverAttribution() {
    seenText_ = true;
    inHeaders_ = false;
    leadAllowed_ = true;
}

}  // namespace postsift
