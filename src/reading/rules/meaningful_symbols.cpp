#include "reading/rules/meaningful_symbols.h"

#include <cstring>
#include <string>
#include <string_view>

#include "filter/epost_sift.h"
#include "reading/lines/byte_set.h"
#include "reading/pass/rule_table.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// Lines looked at after a label for the next one: an item may take a few.
const int itemLines = 6;

const char enDash = '\x96';
const char emDash = '\x97';

// A letter or digit; above ASCII, any byte but the dashes themselves.
bool isWordByteButDash(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return isAsciiLetter(u) || isAsciiDigit(u) || (u >= 128 && c != enDash && c != emDash);
}

bool isDigit(char c) { return isAsciiDigit(static_cast<unsigned char>(c)); }

// Asked of every byte of a line that holds a dash: one lookup.
constexpr byteSet dashes("-\x96\x97");
bool isDash(char c) { return dashes(c); }

// Where a clause may end before a pause: a word, perhaps closed by a sign
// ("works,", "(b)", "Events?"); "<!--" begins a comment, no clause.
bool endsWordAt(std::string_view text, std::size_t last) {
    static constexpr byteSet closing(")]\"'.,;:!?");
    if (isWordByteButDash(text[last])) return true;
    return closing(text[last]) && last > 0 && isWordByteButDash(text[last - 1]);
}
// Where one may begin after it: a word, perhaps opened by a sign.
bool beginsWordAt(std::string_view text, std::size_t first) {
    static constexpr byteSet opening("([\"'");
    if (isWordByteButDash(text[first])) return true;
    return opening(text[first]) && first + 1 < text.size() && isWordByteButDash(text[first + 1]);
}
bool endsClause(char c) { return std::strchr(",;:.!?", c) != nullptr; }

// The blank-separated word around `at` holds a link or an address, whose
// dashes are its own.
bool inLinkOrAddress(std::string_view text, std::size_t at) {
    std::size_t begin = at;
    while (begin > 0 && !isBlank(text[begin - 1])) --begin;
    std::size_t end = at;
    while (end < text.size() && !isBlank(text[end])) ++end;
    const std::string_view word = text.substr(begin, end - begin);
    return word.find("://") != std::string_view::npos || word.find('@') != std::string_view::npos ||
           startsWithFolded(word.data(), word.data() + word.size(), "www.");
}

// One hyphen with no blank before it ("e-mail", "well-known") joins words:
// a dash only between blanks is a pause, and most dashes are such hyphens.
bool joinsWords(std::string_view text, std::size_t i) {
    return text[i] == '-' && (i + 1 == text.size() || text[i + 1] != '-') && (i == 0 || !isBlank(text[i - 1]));
}

// The dashes that begin at `i` of `text`: where they end, where the word
// after them begins, and whether they are a pause.
struct dashRun {
    std::size_t end = 0;
    std::size_t right = 0;
    bool pause = false;
};

dashRun dashRunAt(std::string_view text, std::size_t i) {
    dashRun run;
    const char c = text[i];
    run.end = i + 1;
    if (c == '-')
        while (run.end < text.size() && text[run.end] == '-') ++run.end;
    const std::size_t dashes = run.end - i;
    std::size_t left = i;
    while (left > 0 && isBlank(text[left - 1])) --left;
    run.right = run.end;
    while (run.right < text.size() && isBlank(text[run.right])) ++run.right;
    const bool spacedLeft = left < i;
    const bool spacedRight = run.right > run.end;
    run.pause = left > 0 && run.right < text.size() && spacedLeft == spacedRight && dashes <= 3 &&
                endsWordAt(text, left - 1) && beginsWordAt(text, run.right) &&
                !(isDigit(text[left - 1]) && isDigit(text[run.right]));
    if (run.pause && joinsWords(text, i)) run.pause = false;
    if (run.pause && !spacedLeft && inLinkOrAddress(text, i)) run.pause = false;
    return run;
}

// Whether a dash of `text` is a pause: its dashes looked at in one walk, as
// most lines that hold one hold only hyphens inside words.
bool holdsPause(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isDash(text[i])) continue;
        if (joinsWords(text, i)) continue;
        const dashRun run = dashRunAt(text, i);
        if (run.pause) return true;
        i = run.end - 1;
    }
    return false;
}

// `text` with the dashes between its words said as pauses.
std::string pauseAtDashes(std::string_view text) {
    std::string said;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t dash = i;
        while (dash < text.size() && !isDash(text[dash])) ++dash;
        said.append(text.data() + i, dash - i);
        if (dash == text.size()) break;
        const dashRun run = dashRunAt(text, dash);
        if (!run.pause) {
            said.append(text.data() + dash, run.end - dash);
            i = run.end;
            continue;
        }
        while (!said.empty() && isBlank(said.back())) said.pop_back();
        if (!endsClause(said.back())) said += ',';
        said += ' ';
        i = run.right;
    }
    return said;
}

unsigned romanValue(const char* begin, const char* end) {
    unsigned total = 0;
    unsigned previous = 0;
    for (const char* p = end; p > begin;) {
        unsigned value = 0;
        switch (asciiLower(static_cast<unsigned char>(*--p))) {
            case 'i': value = 1; break;
            case 'v': value = 5; break;
            case 'x': value = 10; break;
            case 'l': value = 50; break;
            case 'c': value = 100; break;
            default: return 0;
        }
        if (value < previous)
            total -= value;
        else
            total += value;
        previous = value > previous ? value : previous;
    }
    return total;
}

// "(c) three tents": a label in parentheses at the start of the content
// [from, to), an item's text after it. [begin, end) receives the label
// with its parentheses.
bool labelAt(const char* from, const char* to, const char*& begin, const char*& end) {
    begin = skipBlanks(from, to);
    if (begin == to || *begin != '(') return false;
    const char* p = begin + 1;
    while (p < to && p - begin <= 4 && (isAsciiLetter(static_cast<unsigned char>(*p)) || isDigit(*p))) ++p;
    if (p == begin + 1 || p == to || *p != ')') return false;
    end = p + 1;
    return end < to && isBlank(*end) && skipBlanks(end, to) < to;
}

meaningfulSymbols::label valueOf(const char* begin, const char* end) {
    meaningfulSymbols::label value;
    const char* text = begin + 1;
    const char* textEnd = end - 1;
    const std::size_t length = static_cast<std::size_t>(textEnd - text);
    if (length == 1 && isAsciiLetter(static_cast<unsigned char>(*text)))
        value.letter = asciiLower(static_cast<unsigned char>(*text)) - 'a' + 1u;
    value.roman = romanValue(text, textEnd);
    bool digits = length <= 3;
    for (const char* p = text; p < textEnd; ++p) digits = digits && isDigit(*p);
    if (digits)
        for (const char* p = text; p < textEnd; ++p) value.number = value.number * 10 + static_cast<unsigned>(*p - '0');
    return value;
}

}  // namespace

bool meaningfulSymbols::label::follows(const label& before) const {
    return (letter != 0 && letter == before.letter + 1) || (roman != 0 && roman == before.roman + 1) ||
           (number != 0 && number == before.number + 1);
}

readingRule* makeMeaningfulSymbols(const ruleSetting& setting, ruleRoom& room) {
    return room.make<meaningfulSymbols>(setting.filter);
}

bool meaningfulSymbols::hasRule(const char* word, std::size_t length) const {
    if (filter_.filterList == nullptr) return false;
    const std::string key(word, length);
    return filter_.filterListIndex.find(filter_.filterList, makeSearchWord(key.c_str())) != nullptr;
}

// The label's successor begins one of the next few lines at its depth.
bool meaningfulSymbols::beginsList(const lineFacts& line, const label& value, lineWindow& lines) const {
    lineFacts next = line;
    for (int i = 0; i < itemLines && lines.next(next, next); ++i) {
        if (next.line.depth != line.line.depth) return false;
        const char* begin = nullptr;
        const char* end = nullptr;
        if (labelAt(next.line.content, next.line.end, begin, end)) return valueOf(begin, end).follows(value);
    }
    return false;
}

bool meaningfulSymbols::keepLabel(const lineFacts& line, const messageLine& said, passState& state,
                                  readingOutput& out) {
    const char* begin = nullptr;
    const char* end = nullptr;
    if (!labelAt(said.content, said.end, begin, end)) return false;
    const label value = valueOf(begin, end);
    if (!value.any()) return false;
    const bool listed = value.follows(last_) || beginsList(line, value, state.lines);
    last_ = value;
    const std::size_t length = static_cast<std::size_t>(end - begin);
    if (!listed || !hasRule(begin, length) || hasRule(begin + 1, length - 1)) return false;
    out.erase(static_cast<std::size_t>(begin - out.at(0)), 1);
    return true;
}

void meaningfulSymbols::after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
                              readingOutput& out) {
    if (fate != lineFate::text || line.blank) return;
    // What was written for most lines is the line as it stood, whose facts
    // then tell whether it holds a dash, or a '(' (a sign of code to them),
    // with which a label begins: most lines hold neither.
    const bool asItStood = out.holdsLineAsItStood(written);
    const bool mayHoldLabel =
        (!asItStood || line.hasCodeSign) && std::memchr(out.at(written), '(', out.length() - written) != nullptr;
    if (asItStood && !line.hasDash && !mayHoldLabel) return;
    readSigns(line, asItStood, mayHoldLabel, written, state, out);
}

// The rest of the work on what was written for a line that may hold a label
// or a pause, out of the way of the tests above, which turn most lines away.
void meaningfulSymbols::readSigns(const lineFacts& line, bool asItStood, bool mayHoldLabel, std::size_t written,
                                  passState& state, readingOutput& out) {
    // What was written for a line that holds no '(' need not be split into
    // prefix and content for a label to be looked for.
    messageLine said;
    if (mayHoldLabel) {
        said = lineAt(out.at(written), out.at(out.length()));
        if (keepLabel(line, said, state, out)) said = lineAt(out.at(written), out.at(out.length()));
    }
    // Taking the label's '(' out of a line as it stood adds no dash.
    if (asItStood && !line.hasDash) return;
    if (!mayHoldLabel) said = lineAt(out.at(written), out.at(out.length()));
    const std::string_view text(said.content, static_cast<std::size_t>(said.end - said.content));
    if (!holdsPause(text)) return;
    const std::string spoken = pauseAtDashes(text);
    const std::size_t at = static_cast<std::size_t>(said.content - out.at(0));
    out.erase(at, text.size());
    out.insert(at, spoken.c_str());
}

}  // namespace postsift
