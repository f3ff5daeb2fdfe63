#include "email/keyword_lines.h"

#include <cstring>

#include "reading/lines/header_names.h"
#include "reading/lines/message_line.h"
#include "reading/lines/separators.h"
#include "email/parse_driver.h"
#include "filter/epost_sift.h"
#include "support/ascii.h"

namespace postsift {

namespace {

const char* textBegin = nullptr;
// Where a line must begin to go on with the block of header lines before
// it: the leading block begins at the text's first byte.
const char* blockGoesOnAt = nullptr;
bool itemInBlock = false;

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

// A rule of the filter's that speaks, drops or applies a header line.
bool hasHeaderRule(epostSift& filter, const char* keyword) {
    const searchWord word = makeSearchWord(keyword);
    if (filter.symbolTable != nullptr && filter.symbolKeywordIndex.find(filter.symbolTable, word) != nullptr)
        return true;
    const filterEntry* entry =
        filter.filterList != nullptr ? filter.filterListIndex.find(filter.filterList, word) : nullptr;
    if (entry == nullptr) return false;
    switch (entry->kind()) {
        case PLAIN: return entry->value() != nullptr && std::strstr(entry->value(), "%s") != nullptr;
        case REMOVE_WORD:
        case REPLACE_WORD: return false;
        default: return true;
    }
}

// The line before the one at `line` opens a block of header lines: a MIME
// boundary line, or an earlier message's separator, quoted or not.
bool previousLineOpensBlock(const char* line) {
    if (line <= textBegin) return false;
    const char* begin = line - 1;  // its line feed
    while (begin > textBegin && begin[-1] != '\n') --begin;
    messageLine previous = lineAt(begin, line - 1);
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

void startKeywordLines(const char* text) {
    textBegin = text;
    blockGoesOnAt = text;
    itemInBlock = false;
}

bool beginsHeaderItem(const char* line, const char* name, const char* nameEnd) {
    itemInBlock = line == blockGoesOnAt || previousLineOpensBlock(line);
    if (itemInBlock) return true;
    const char* colon = nameEnd - 1;
    if (isHyphenatedName(name, colon) || findHeaderName(name, colon) != nullptr) return true;
    epostSift* filter = currentFilter;
    return filter != nullptr && hasHeaderRule(*filter, name);
}

void headerItemEnded(const char* next) {
    if (itemInBlock) blockGoesOnAt = next;
    itemInBlock = false;
}

}  // namespace postsift
