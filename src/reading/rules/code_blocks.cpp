#include "reading/rules/code_blocks.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "filter/language_phrases.h"
#include "reading/pass/rule_table.h"
#include "reading/rules/code_shape.h"

namespace postsift {

readingRule* makeCodeBlocks(const ruleSetting& setting, ruleRoom& room) {
    return room.make<codeBlocks>(phraseOf(setting.filter, symbolCodeBlock, buildLanguagePhrases().codeBlock),
                                        buildReadingWords());
}

// A header pasted into a message, or a block of "Name: value" lines, is
// read by the scanner field by field, with the lines folded onto each: a
// block never begins among them, below a field that has a value.
void codeBlocks::observe(lineFacts& line, passState&, readingOutput&) {
    fieldAbove_ = inFields_;
    const bool field = line.originalHeader ||
                       (line.keywordEnd != nullptr && skipBlanks(line.keywordEnd, line.line.end) < line.line.end);
    inFields_ = !line.blank && (inFields_ || field);
}

lineTaken codeBlocks::take(const lineFacts& line, passState& state, readingOutput& out) {
    const char* at = line.line.begin;
    if (at < blockEnd_) return lineTaken::upTo(line.line.next);
    if (at < judgedTo_ || fieldAbove_) return lineTaken::passed();
    const codeBlock block = codeBlockAt(line, state.lines, state.boundaries, state.verdicts);
    if (!block.found) {
        judgedTo_ = block.judged;
        return lineTaken::passed();
    }
    blockEnd_ = block.end;
    announce(line, block.kind, block.lines, out);
    return lineTaken::upTo(line.line.next);
}

// The phrase is configuration, never a printf format: its first "%d" and
// its first "%s" are filled, every other byte is written as it stands.
void codeBlocks::announce(const lineFacts& first, codeKind kind, std::size_t lines, readingOutput& out) {
    if (phrase_ == nullptr) return;
    char count[24];
    std::snprintf(count, sizeof count, "%lu", static_cast<unsigned long>(lines));
    const char* name = words_.kinds[static_cast<int>(kind)];
    std::string said;
    bool countPut = false;
    bool namePut = false;
    for (const char* p = phrase_; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 'd' && !countPut) {
            said += count;
            countPut = true;
            ++p;
        } else if (p[0] == '%' && p[1] == 's' && !namePut) {
            said += name != nullptr ? name : "";
            namePut = true;
            ++p;
        } else {
            said += *p;
        }
    }
    // Where the block stands: inside the quote it was in, as far in as its
    // first line, on a line of its own; the scanner reads it as it would
    // have read that line.
    out.put(first.line.begin, first.line.prefixEnd);
    out.put(first.line.content, skipBlanks(first.line.content, first.line.end));
    out.put(said.c_str());
    out.put(first.line.end, first.line.next);
}

}  // namespace postsift
