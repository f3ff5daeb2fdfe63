#include "reading/rules/paragraph_reading.h"

#include <cstdint>
#include <cstring>

#include "filter/epost_sift.h"
#include "reading/lines/byte_set.h"
#include "reading/lines/message_line.h"
#include "reading/pass/rule_table.h"
#include "reading/rules/code_shape.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// Lines of an address, a poem or a table of contents are about this long or
// shorter; text wrapped by a program, even at 38 columns, seldom has three
// such lines in a row.
const std::size_t shortLine = 28;
const std::size_t shortestRun = 3;
// Text wrapped by a program is at least this wide; a paragraph of two lines
// is taken for wrapped text only when its longer line is as long as mail is
// wrapped at.
const std::size_t narrowestWrap = 30;
const std::size_t usualWrap = 60;
// Words longer than this are addresses, paths: no program breaks them,
// nor links, and a line before one may be short.
const std::size_t longestWord = 24;

inline unsigned char byteAt(const char* p) { return static_cast<unsigned char>(*p); }

// Windows-1252 small letters beyond ASCII: "\xdf" to "\xff" but for the
// division sign.
bool isSmallLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 0xdf && c != 0xf7); }
bool isCapital(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 0xc0 && c <= 0xde && c != 0xd7); }

bool isListMark(const char* p, const char* end) {
    if (end - p >= 2 && (*p == '-' || *p == '*' || *p == '+' || *p == '\x95' || *p == '\xb7') && isBlank(p[1]))
        return true;
    const bool parenthesis = p < end && *p == '(';
    if (parenthesis) ++p;
    const char* digits = p;
    while (p < end && isAsciiDigit(byteAt(p))) ++p;
    std::size_t mark = static_cast<std::size_t>(p - digits);
    if (mark == 0 && p < end && isAsciiLetter(byteAt(p))) {
        ++p;
        mark = 1;
        if (!parenthesis && (p == end || *p != ')')) return false;  // "a." begins sentences
    }
    if (mark == 0 || mark > 3 || end - p < 2 || !isBlank(p[1])) return false;
    return parenthesis ? *p == ')' : (*p == '.' || *p == ')');
}

// A heading: capitals only, four letters at least.
bool isHeading(const char* from, const char* to) {
    std::size_t capitals = 0;
    for (const char* p = from; p < to; ++p) {
        if (isSmallLetter(byteAt(p))) return false;
        if (isCapital(byteAt(p))) ++capitals;
    }
    return capitals >= 4;
}

constexpr byteSet clauseEnds(".!?:;,\"'\x94\xbb");
constexpr byteSet sentenceEnds(".!?:");
constexpr byteSet closings(")]\"'\x94\xbb");
constexpr byteSet openings("(\"'[\x93\xab");

// Whether three spaces stand in the eight bytes at `at`, the first of them
// among the first six.
inline bool threeSpacesIn(const char* at) {
    constexpr std::uint64_t spaces = 0x2020202020202020u;
    constexpr std::uint64_t lowBits = 0x7f7f7f7f7f7f7f7fu;
    std::uint64_t eight;
    std::memcpy(&eight, at, sizeof eight);
    // The high bit of each byte that is a space, and of no other.
    const std::uint64_t others = eight ^ spaces;
    const std::uint64_t found = ~(((others & lowBits) + lowBits) | others) & ~lowBits;
    return (found & (found >> 8) & (found >> 16)) != 0;
}

// Whether three spaces stand in a row in [from, to), as a gap needs. Most
// lines have none, and are let go eight bytes a round (six on, so that a
// run across two rounds is seen), the last round on the line's last eight
// bytes, without a branch on their bytes, which a processor would mostly
// guess wrong at the spaces between words.
bool holdsThreeSpaces(const char* from, const char* to) {
    if (to - from < 8) {
        char eight[8] = {};
        std::memcpy(eight, from, static_cast<std::size_t>(to - from));
        return threeSpacesIn(eight);
    }
    for (const char* p = from; to - p > 8; p += 6)
        if (threeSpacesIn(p)) return true;
    return threeSpacesIn(to - 8);
}

// The gaps of a line without a tab or a bar that holds three spaces in a
// row: runs of three spaces or more. Any three bytes in a row hold one of
// every third byte, so only those are looked at, and the run around a
// space found. Few lines come here: out of the way of those that do not.
[[gnu::noinline]] std::size_t spaceGaps(const char* from, const char* to) {
    std::size_t gaps = 0;
    const std::size_t length = static_cast<std::size_t>(to - from);
    for (std::size_t i = 2; i < length; i += 3) {
        // Most spaces stand alone between words: a run of three has a
        // space beside the one found.
        if (from[i] != ' ' || (from[i - 1] != ' ' && (i + 1 == length || from[i + 1] != ' '))) continue;
        const char* gap = from + i;
        while (gap > from && gap[-1] == ' ') --gap;
        const char* end = from + i + 1;
        while (end < to && *end == ' ') ++end;
        if (end - gap < 3) continue;
        if (gap > from && end < to && !clauseEnds(gap[-1])) ++gaps;
        i = static_cast<std::size_t>(end - from) - 1;  // on at the second byte after the run
    }
    return gaps;
}

// The gaps of a line that holds a tab or a bar, which few lines do (see
// columnGaps); out of the way of those that do not.
[[gnu::noinline]] std::size_t tabOrBarGaps(const char* from, const char* to) {
    std::size_t gaps = 0;
    for (const char* p = from; p < to;) {
        if (*p == '|' && (p == from || isBlank(p[-1])) && (p + 1 == to || isBlank(p[1]))) ++gaps;
        if (!isBlank(*p)) {
            ++p;
            continue;
        }
        const char* gap = p;
        bool tab = false;
        for (; p < to && isBlank(*p); ++p) tab = tab || *p == '\t';
        const bool wide = tab || p - gap >= 3;
        if (wide && gap > from && p < to && !clauseEnds(gap[-1])) ++gaps;
    }
    return gaps;
}

// The gaps between a table's columns: a tab or three blanks between words
// (not after a sentence's or a clause's end, where some put more than one),
// and bars that stand apart ("a | b", not "a || b"). A bar is a sign of
// code: a line without one (`signs`, from its facts) holds no bar.
std::size_t columnGaps(const char* from, const char* to, bool signs) {
    const std::size_t length = static_cast<std::size_t>(to - from);
    if (std::memchr(from, '\t', length) == nullptr && (!signs || std::memchr(from, '|', length) == nullptr))
        return holdsThreeSpaces(from, to) ? spaceGaps(from, to) : 0;
    return tabOrBarGaps(from, to);
}

bool startsWithLink(const char* from, const char* to) {
    static constexpr byteSet firstLetters("hfwm");
    if (from == to || !firstLetters(static_cast<char>(foldedByte(*from)))) return false;
    return startsWithFolded(from, to, "http://") || startsWithFolded(from, to, "https://") ||
           startsWithFolded(from, to, "ftp://") || startsWithFolded(from, to, "www.") ||
           startsWithFolded(from, to, "mailto:");
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

// '.', '!', '?' or ':', perhaps inside a closing bracket or quote.
bool endsSentence(const char* from, const char* to) {
    while (to > from && closings(to[-1])) --to;
    return to > from && sentenceEnds(to[-1]);
}

}  // namespace

readingRule* makeParagraphReading(const ruleSetting& setting, ruleRoom& room) {
    return room.make<paragraphReading>(setting.filter, buildContinuingWords());
}

paragraphReading::lineLayout paragraphReading::layoutOf(const lineFacts& line, passState& state) const {
    const messageLine& l = line.line;
    lineLayout shape;
    shape.begin = l.begin;
    const char* text = l.content;
    for (; text < l.end && isBlank(*text); ++text)
        shape.indent = *text == '\t' ? (shape.indent / 8 + 1) * 8 : shape.indent + 1;
    const char* end = trimBlanks(text, l.end);
    shape.length = static_cast<std::size_t>(end - text);
    const textWord opening{text, firstBlank(text, end)};
    shape.link = startsWithLink(opening.begin, opening.end);
    shape.firstWord = shape.link ? longestWord + 1 : opening.length();
    shape.item = isListMark(text, end);
    shape.gaps = columnGaps(text, end, line.hasCodeSign);
    shape.alone = shape.item || isHeading(text, end) || isMachineLine(line, state.verdicts);
    shape.text = text;
    shape.heads = text < end && (isCapital(byteAt(text)) || isAsciiDigit(byteAt(text)));
    return shape;
}

void paragraphReading::classify(const lineFacts& first, passState& state) {
    lineWindow& lines = state.lines;
    paragraph_.clear();
    // Room for most paragraphs at once, rather than grown a line at a time
    // in each message; small enough a block that the allocator hands it
    // out from its quick lists.
    const std::size_t usualLines = 16;
    if (paragraph_.capacity() < usualLines) paragraph_.reserve(usualLines);
    expected_ = first.line.begin;
    index_ = 0;
    const auto inParagraph = [&first](const lineFacts& line) {
        return line.line.depth == first.line.depth && isProse(line);
    };
    // The lines after the first where the window keeps them: nothing below
    // asks the window but for the next line.
    const lineFacts* line = lines.after(first);
    if (line == nullptr || !inParagraph(*line)) {
        // A line alone in its paragraph (most are) joins no line and is
        // joined by none: what its layout would say is never asked.
        lineLayout alone;
        alone.begin = first.line.begin;
        paragraph_.push_back(alone);
        width_ = 0;
        wrapped_ = false;
        return;
    }
    paragraph_.push_back(layoutOf(first, state));
    for (;;) {
        paragraph_.push_back(layoutOf(*line, state));
        line = lines.after(*line);
        if (line == nullptr || !inParagraph(*line)) break;
    }
    // A table's lines: two columns apart, or one beside another such line.
    for (std::size_t i = 0; i < paragraph_.size(); ++i) {
        const std::size_t gaps = paragraph_[i].gaps;
        const bool besideOne = (i > 0 && paragraph_[i - 1].gaps > 0) ||
                               (i + 1 < paragraph_.size() && paragraph_[i + 1].gaps > 0);
        if (gaps >= 2 || (gaps == 1 && besideOne)) paragraph_[i].alone = true;
    }
    // Runs of short lines; the widest line of the text.
    width_ = 0;
    std::size_t run = 0;
    for (std::size_t i = 0; i <= paragraph_.size(); ++i) {
        const bool isShort = i < paragraph_.size() && !paragraph_[i].item && paragraph_[i].length <= shortLine;
        if (isShort) {
            ++run;
        } else {
            if (run >= shortestRun)
                for (std::size_t j = i - run; j < i; ++j) paragraph_[j].shortRun = true;
            run = 0;
        }
        if (i < paragraph_.size() && !paragraph_[i].alone && paragraph_[i].column() > width_)
            width_ = paragraph_[i].column();
    }
    // Wrapped by a program: the lines filled, three in four at least, as far
    // as the next line's first word would not have fitted. The widest line
    // is filled whatever comes after it, and any line is before a word as
    // long as a link: neither says anything of the wrapping.
    std::size_t pairs = 0;
    std::size_t filled = 0;
    std::size_t plain = 0;
    for (std::size_t i = 0; i < paragraph_.size(); ++i) {
        if (paragraph_[i].alone) continue;
        ++plain;
        if (i + 1 == paragraph_.size() || paragraph_[i + 1].alone || paragraph_[i].column() == width_ ||
            paragraph_[i + 1].firstWord > longestWord)
            continue;
        ++pairs;
        if (paragraph_[i].column() + 1 + paragraph_[i + 1].firstWord > width_) ++filled;
    }
    // Narrower than mail is wrapped at, one filled line may be chance.
    wrapped_ = 4 * filled >= 3 * pairs && width_ >= narrowestWrap &&
               (width_ >= usualWrap ? filled >= 1 : filled >= 2 && plain >= 3);
    // Lines about as long as each other, all beginning with a capital and
    // none ending with punctuation, narrower than mail is wrapped at: the
    // items of a list, or of a table of contents, not a wrapped paragraph.
    if (wrapped_ && width_ < usualWrap) {
        bool items = true;
        std::size_t seen = 0;
        for (std::size_t i = 0; i < paragraph_.size() && items; ++i) {
            if (paragraph_[i].alone) continue;
            ++seen;
            items = paragraph_[i].heads && (seen == plain || endsOpen(paragraph_[i]));
        }
        wrapped_ = !items;
    }
}

bool paragraphReading::endsOpen(const lineLayout& line) const {
    if (line.length == 0) return false;
    const char* end = line.text + line.length;
    const char* word = end;
    while (word > line.text && !isBlank(word[-1])) --word;
    static constexpr byteSet punctuation(".,;:!?)\"'");
    return !punctuation(end[-1]) && !words_.has(word, end);
}

// A line of the paragraph classified already, after lines that another
// rule took (a link cut over three lines): found going on from the line
// read last, so that no paragraph is looked through more than twice.
bool paragraphReading::resume(const messageLine& line) {
    if (paragraph_.empty() || line.begin <= paragraph_[index_].begin) return false;
    std::size_t i = index_ + 1;
    while (i < paragraph_.size() && paragraph_[i].begin < line.begin) ++i;
    if (i == paragraph_.size() || paragraph_[i].begin != line.begin) {
        paragraph_.clear();
        return false;
    }
    index_ = i;
    return true;
}

bool paragraphReading::endsWithContinuingWord(readingOutput& out, std::size_t text, std::size_t end) const {
    std::size_t word = end;
    while (word > text && !isBlank(*out.at(word - 1))) --word;
    return words_.has(out.at(word), out.at(end));
}

// Whether the line below goes on with the sentence of the line above.
bool paragraphReading::joins(const heldLine& above, const lineLayout& below, bool belowAlone, readingOutput& out,
                             std::size_t belowText, std::size_t belowTextEnd) const {
    if (belowAlone) return false;
    const char* aboveBegin = out.at(above.text);
    const char* aboveEnd = out.at(above.end);
    const bool ended = endsSentence(aboveBegin, aboveEnd);
    // Whether the line above ends with a word that goes on: asked last, as
    // it looks the word up.
    const auto continuing = [&] { return !ended && endsWithContinuingWord(out, above.text, above.end); };
    // The first letter below, after an opening bracket or quote.
    const char* first = out.at(belowText);
    const char* belowEnd = out.at(belowTextEnd);
    while (first < belowEnd && openings(*first)) ++first;
    const unsigned char c = first < belowEnd ? byteAt(first) : 0;
    // Text that quotes with a blank before its '>' (" > > said"): the
    // scanner sees no quote, and neither line goes on the other.
    if (c == '>' || *aboveBegin == '>') return false;
    // A figure goes on a sentence when words follow it ("800 people came"),
    // and not after a name: "Anne Martin / 12 rue des Lilas", a telephone
    // number, a price list's rows.
    const auto afterName = [&] {
        std::size_t word = above.end;
        while (word > above.text && !isBlank(*out.at(word - 1))) --word;
        return isCapital(byteAt(out.at(word)));
    };
    const auto counted = [&] {
        if (!isAsciiDigit(c)) return false;
        const textWord second = wordAt(wordAt(first, belowEnd).end, belowEnd);
        return !second.empty() && isSmallLetter(byteAt(second.begin));
    };
    // A link in small letters below (or the phrase said for it) begins no
    // part of a sentence, unless the line above leads to it.
    const bool small = isSmallLetter(c) && !below.link;
    const bool goesOn = small || (counted() && !afterName());
    const lineLayout& upper = paragraph_[above.index];
    if (above.alone) {
        // An item's text goes on in the line below it.
        return above.item && !below.shortRun && !ended && (goesOn || continuing());
    }
    if (upper.shortRun || below.shortRun) return continuing();
    const bool wrappedPair = wrapped_ && upper.column() + 1 + below.firstWord > width_;
    if (ended) return wrappedPair || small;
    return wrappedPair || goesOn || continuing();
}

// The sentence ends with the line: a full stop after its last word, or in
// place of a closing ',' or ';'. A word with a rule of its own (an
// emoticon) keeps its rule: the full stop stands apart from it.
std::size_t paragraphReading::endSentence(readingOutput& out, std::size_t start, std::size_t lineEnd) {
    std::size_t last = lineEnd;
    while (last > start && (*out.at(last - 1) == ' ' || *out.at(last - 1) == '\t')) --last;
    if (last == start) return 0;
    char& c = *out.at(last - 1);
    if (sentenceEnds(c)) return 0;
    if (c == ',' || c == ';') {
        c = '.';
        return 0;
    }
    std::size_t word = last;
    while (word > start && *out.at(word - 1) != ' ' && *out.at(word - 1) != '\t') --word;
    // The word is looked up where it stands, as far as a NUL, as the
    // scanner would read it.
    const char* lastWord = out.at(word);
    const void* nul = std::memchr(lastWord, '\0', last - word);
    const char* lastWordEnd = nul != nullptr ? static_cast<const char*>(nul) : out.at(last);
    const bool hasRule =
        filter_.filterList != nullptr &&
        filter_.filterListIndex.find(filter_.filterList, makeSearchWord(lastWord, lastWordEnd)) != nullptr;
    if (!hasRule) {
        out.insert(last, ".");
        return 1;
    }
    // "à lundi :-)": the full stop after the word before it, "à lundi. :-)".
    std::size_t before = word;
    while (before > start && (*out.at(before - 1) == ' ' || *out.at(before - 1) == '\t')) --before;
    if (before == start || sentenceEnds(*out.at(before - 1))) return 0;
    out.insert(before, before < word ? "." : " .");
    return before < word ? 1 : 2;
}

// The held line's places are marks of the output: another rule may take out
// text before them, or the line itself (a block it held), while it waits.
void paragraphReading::recall(readingOutput& out) {
    if (marks_[0] == readingOutput::unset) {
        for (std::size_t& mark : marks_) mark = out.newMark();
    }
    if (!held_.held) return;
    held_.text = out.mark(marks_[0]);
    held_.end = out.mark(marks_[1]);
    held_.next = out.mark(marks_[2]);
}

void paragraphReading::remember(readingOutput& out) {
    out.setMark(marks_[0], held_.text);
    out.setMark(marks_[1], held_.end);
    out.setMark(marks_[2], held_.next);
}

// Most lines that are not text of a paragraph (blank lines, a header's)
// come where no line is held: the marks are not read for them.
void paragraphReading::release(readingOutput& out) {
    if (!held_.held) return;
    recall(out);
    endSentence(out, held_.text, held_.end);
    held_ = heldLine();
}

void paragraphReading::finish(passState&, readingOutput& out) { release(out); }

void paragraphReading::after(const lineFacts& facts, lineFate fate, std::size_t written, passState& state,
                             readingOutput& out) {
    if (fate != lineFate::text || !isProse(facts)) {
        release(out);
        if (fate != lineFate::text) expected_ = nullptr;
        return;
    }
    recall(out);
    const messageLine& line = facts.line;
    const bool continues = line.begin == expected_ && index_ + 1 < paragraph_.size();
    if (continues) {
        ++index_;
    } else if (!resume(line)) {
        classify(facts, state);
    }
    expected_ = line.next;
    const lineLayout& shape = paragraph_[index_];
    const bool alone = shape.alone || state.news.listItem;

    // Where the line's text stands in the output: after its quote prefix
    // and blanks, before blanks and its line end.
    const char* writtenLine = out.at(written);
    const char* writtenPrefixEnd = quotePrefixEnd(writtenLine, out.at(out.length()));
    std::size_t text = written + static_cast<std::size_t>(writtenPrefixEnd - writtenLine);
    std::size_t end = out.length();
    if (end > text && *out.at(end - 1) == '\n') --end;
    if (end > text && *out.at(end - 1) == '\r') --end;
    while (text < end && isBlank(*out.at(text))) ++text;
    while (end > text && isBlank(*out.at(end - 1))) --end;

    if (held_.held && continues && held_.next == written && held_.index + 1 == index_ &&
        joins(held_, shape, alone, out, text, end)) {
        // The line end, this line's quote prefix and the blanks around them
        // become one blank.
        const std::size_t removed = text - held_.end - 1;
        out.erase(held_.end + 1, removed);
        *out.at(held_.end) = ' ';
        held_.end = end - removed;
        held_.next = out.length();
        held_.index = index_;
        held_.alone = alone;
        held_.item = shape.item || state.news.listItem;
        remember(out);
        return;
    }
    if (held_.held) {
        const std::size_t put = endSentence(out, held_.text, held_.end);
        text += put;
        end += put;
    }
    held_.held = true;
    held_.text = text;
    held_.end = end;
    held_.next = out.length();
    held_.index = index_;
    held_.alone = alone;
    held_.item = shape.item || state.news.listItem;
    remember(out);
}

}  // namespace postsift
