#include "reading/rules/paragraph_reading.h"

#include <cstring>
#include <string>

#include "filter/epost_sift.h"
#include "reading/pass/rule_table.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// Lines of wrapped text are about as long as the wrap width; one much
// shorter ends its sentence, or stands alone (a name, a list item).
const std::size_t shortLine = 40;

bool isListMark(const messageLine& line) {
    const char* p = skipBlanks(line.content, line.end);
    if (line.end - p >= 2 && (*p == '-' || *p == '*' || *p == '+') && p[1] == ' ') return true;
    const char* digits = p;
    while (p < line.end && isAsciiDigit(static_cast<unsigned char>(*p))) ++p;
    return p > digits && p - digits <= 3 && line.end - p >= 2 && (*p == '.' || *p == ')') && p[1] == ' ';
}

// A line of text: words, no signature separator, boundary or decoration
// run, no separator and no line the scanner may take for a header line.
bool isProse(const lineFacts& facts) {
    const messageLine& line = facts.line;
    if (!facts.hasWord) return false;
    const char* p = skipBlanks(line.content, line.end);
    if (line.end - p >= 2 && p[0] == '-' && p[1] == '-') return false;
    return facts.separator == separatorKind::none && facts.keywordEnd == nullptr;
}

std::size_t proseLength(const messageLine& line) {
    return static_cast<std::size_t>(trimBlanks(line.content, line.end) - skipBlanks(line.content, line.end));
}

}  // namespace

void paragraphReading::classify(const lineFacts& first, passState& state) {
    // A list item stands alone; the paragraph it begins is one line. So
    // does each line of a list that another rule found (a digest's contents).
    std::size_t count = 1;
    bool wrapped = true;
    lineFacts line = first;
    if (!isListMark(first.line) && !state.isListItem(first.line)) {
        lineFacts next;
        while (state.lines.next(line, next)) {
            if (next.line.depth != first.line.depth || !isProse(next) || isListMark(next.line) ||
                state.isListItem(next.line))
                break;
            wrapped = wrapped && proseLength(line.line) >= shortLine;
            ++count;
            line = next;
        }
    }
    wrapped_ = count >= 2 && wrapped;
    end_ = line.line.next;
    next_ = first.line.begin;
}

// The sentence ends with the paragraph: a full stop after its last word,
// or in place of a closing ',' or ';'. A word with a rule of its own (an
// emoticon) keeps its rule: the full stop stands apart from it.
void paragraphReading::endSentence(readingOutput& out, std::size_t start, std::size_t lineEnd) {
    std::size_t last = lineEnd;
    while (last > start && (*out.at(last - 1) == ' ' || *out.at(last - 1) == '\t')) --last;
    if (last == start) return;
    char& c = *out.at(last - 1);
    if (std::strchr(".!?:", c) != nullptr) return;
    if (c == ',' || c == ';') {
        c = '.';
        return;
    }
    std::size_t word = last;
    while (word > start && *out.at(word - 1) != ' ' && *out.at(word - 1) != '\t') --word;
    const std::string lastWord(out.at(word), last - word);
    const bool hasRule = filter_.filterList != nullptr &&
                         filter_.filterListIndex.find(filter_.filterList, makeSearchWord(lastWord.c_str())) != nullptr;
    if (!hasRule) {
        out.insert(last, ".");
        return;
    }
    // "à lundi :-)": the full stop after the word before it, "à lundi. :-)".
    std::size_t before = word;
    while (before > start && (*out.at(before - 1) == ' ' || *out.at(before - 1) == '\t')) --before;
    if (before == start || std::strchr(".!?:", *out.at(before - 1)) != nullptr) return;
    out.insert(before, before < word ? "." : " .");
}

std::unique_ptr<readingRule> makeParagraphReading(const ruleSetting& setting) {
    return std::make_unique<paragraphReading>(setting.filter);
}

void paragraphReading::after(const lineFacts& facts, lineFate fate, std::size_t written, passState& state,
                             readingOutput& out) {
    if (fate != lineFate::text) return;
    if (!isProse(facts)) {
        joinFrom_ = joinTo_ = 0;
        return;
    }
    const messageLine& line = facts.line;
    std::size_t start = written;
    const bool continues = line.begin == next_ && line.begin < end_;
    if (!continues) classify(facts, state);
    const std::size_t length = out.length();
    // The written line's end: a line feed, perhaps after a CR.
    std::size_t lineEnd = length;
    if (lineEnd > start && *out.at(lineEnd - 1) == '\n') --lineEnd;
    if (lineEnd > start && *out.at(lineEnd - 1) == '\r') --lineEnd;

    // Joined to the line before: its line end becomes a blank.
    if (continues && wrapped_ && joinTo_ > joinFrom_ && joinTo_ == start) {
        // The line end and this line's quote prefix go; one blank stands.
        const std::size_t prefix = static_cast<std::size_t>(line.prefixEnd - line.begin);
        out.erase(joinFrom_ + 1, joinTo_ - joinFrom_ - 1 + prefix);
        *out.at(joinFrom_) = ' ';
        const std::size_t removed = joinTo_ - joinFrom_ - 1 + prefix;
        start -= removed;
        lineEnd -= removed;
    }
    next_ = line.next;
    const bool lastOfParagraph = !wrapped_ || line.next >= end_;
    if (lastOfParagraph) {
        endSentence(out, start, lineEnd);
        joinFrom_ = joinTo_ = 0;
        return;
    }
    joinFrom_ = lineEnd;
    joinTo_ = out.length();
}

}  // namespace postsift
