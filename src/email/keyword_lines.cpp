#include "email/keyword_lines.h"

#include <cstring>

#include "reading/lines/keyword_format.h"
#include "reading/lines/header_names.h"
#include "reading/lines/message_line.h"
#include "reading/lines/separators.h"
#include "email/parse_driver.h"
#include "filter/epost_sift.h"
#include "support/ascii.h"

namespace postsift {

namespace {

const char* textBegin = nullptr;
const char* textEnd = nullptr;
// Where a line must begin to go on with the block of header lines before
// it: the leading block begins at the text's first byte.
const char* blockGoesOnAt = nullptr;
bool itemInBlock = false;
// Until the first line of the text that is not a header line.
bool inLeadingHeader = false;

// "Content-Type", "X-Mailer", "Reply-To": letters and digits in runs joined
// by hyphens, beginning with a letter.
bool isHyphenatedName(const char* name, const char* end) {
    if (name == end || !isAsciiLetter(static_cast<unsigned char>(*name))) return false;
    bool hyphen = false;
    for (const char* p = name; p < end; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '-') {
            if (p[-1] == '-' || p + 1 == end) return false;
            hyphen = true;
        } else if (!isAsciiLetter(c) && !isAsciiDigit(c)) {
            return false;
        }
    }
    return hyphen;
}

// A rule of the filter's that speaks, drops or applies a header line in the
// body. The summary's keywords (those a symbol lists) have their phrases for
// the leading header, which the summary reads: in the body they are text.
bool hasHeaderRule(epostSift& filter, const char* keyword) {
    const searchWord word = makeSearchWord(keyword);
    const filterEntry* entry =
        filter.filterList != nullptr ? filter.filterListIndex.find(filter.filterList, word) : nullptr;
    if (entry == nullptr) return false;
    switch (entry->kind()) {
        case PLAIN:
            return holdsFilling(entry->value()) &&
                   (filter.symbolTable == nullptr || filter.symbolKeywordIndex.find(filter.symbolTable, word) == nullptr);
        case REMOVE_WORD:
        case REPLACE_WORD: return false;
        default: return true;
    }
}

bool isHeaderFieldName(const char* name, const char* end) {
    return isHyphenatedName(name, end) || findHeaderName(name, end) != nullptr;
}

// The line looked at last by nextLineIsField, and what it was. Each line of
// a run of blank-led keyword lines ("  To: a") would otherwise walk the rest
// of the run again: the same line ends the walk from any of them.
const char* lookedAt = nullptr;
bool lookedAtIsField = false;

// The line after the one at `line` (past the lines folded into it) begins
// with a header field's name, as the scanner reads a keyword there.
bool nextLineIsField(const char* line) {
    if (line < lookedAt) return lookedAtIsField;
    messageLine current = lineAt(line, textEnd);
    for (;;) {
        if (current.isLast(textEnd)) {
            lookedAt = textEnd;
            lookedAtIsField = false;
            return false;
        }
        current = lineAt(current.next, textEnd);
        if (current.begin < current.end && isBlank(*current.begin)) continue;
        const char* keyword = nullptr;
        const char* keywordEnd = current.depth == 0 ? headerKeywordEnd(current, keyword) : nullptr;
        lookedAt = current.begin;
        lookedAtIsField = keywordEnd != nullptr && isHeaderFieldName(keyword, keywordEnd - 1);
        return lookedAtIsField;
    }
}

// The line before the one at `line` opens a block of header lines: a MIME
// boundary line, or an earlier message's separator, quoted or not.
bool previousLineOpensBlock(const char* line) {
    if (line <= textBegin) return false;
    const char* begin = line - 1;  // its line feed
    while (begin > textBegin && begin[-1] != '\n') --begin;
    // Up to and with its line feed, so that a CR before it is its line end.
    messageLine previous = lineAt(begin, line);
    messageLine content = lineAt(previous.prefixEnd, previous.end);
    if (isSeparator(content)) return true;
    const epostSift* filter = currentFilter;
    if (filter == nullptr || filter->mimeBoundary.isNull()) return false;
    // "--" and the boundary (the last one named: the decoding stage writes
    // every part under one).
    const std::size_t length = filter->mimeBoundary.length();
    const char* text = previous.begin;
    if (length == 0 || static_cast<std::size_t>(previous.end - text) < length + 2 || text[0] != '-' ||
        text[1] != '-' || std::memcmp(text + 2, filter->mimeBoundary.get(), length) != 0)
        return false;
    return trimBlanks(text + 2 + length, previous.end) == text + 2 + length;
}

}  // namespace

void startKeywordLines(const char* text, const char* end) {
    textBegin = text;
    textEnd = end;
    blockGoesOnAt = text;
    itemInBlock = false;
    inLeadingHeader = true;
    lookedAt = nullptr;
    lookedAtIsField = false;
}

bool beginsHeaderItem(const char* line, const char* name, const char* nameEnd) {
    const char* colon = nameEnd - 1;
    const bool fieldName = isHeaderFieldName(name, colon);
    const bool quoted = *line == '>';
    itemInBlock = line == blockGoesOnAt || previousLineOpensBlock(line) || (fieldName && !quoted && nextLineIsField(line));
    if (itemInBlock) return true;
    // A quoted line is someone else's message: a field's name there is the
    // quoted header's, which its own option speaks or leaves out.
    if (fieldName && quoted) return true;
    epostSift* filter = currentFilter;
    return filter != nullptr && hasHeaderRule(*filter, name);
}

void beginsLeadingHeaderItem() { itemInBlock = true; }

bool headerItemEnded(const char* next) {
    if (itemInBlock) blockGoesOnAt = next;
    const bool goesOn = itemInBlock && inLeadingHeader;
    itemInBlock = false;
    return goesOn;
}

void headerGoesOnAt(const char* line) { blockGoesOnAt = line; }

void leadingHeaderEnded() { inLeadingHeader = false; }

}  // namespace postsift
