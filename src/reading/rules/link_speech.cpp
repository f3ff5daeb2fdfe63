#include "reading/rules/link_speech.h"

#include <cstring>
#include <string>

#include "filter/language_phrases.h"
#include "reading/pass/rule_table.h"
#include "support/ascii.h"

namespace postsift {

namespace {

// Lines that a mail program wrapped are at least this long; a shorter line
// that ends in a link ended with the link.
const long wrappedLineLength = 60;
// How many lines a link cut by line ends may run on.
const int linkLinesAfterFirst = 3;

// One of the bytes of `set`; never the NUL that ends it.
bool isOneOf(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }

bool isUrlByte(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u > ' ' && u != 127 && c != '<' && c != '>' && c != '"';
}

// A byte that would make a link start inside a longer word: "xwww.a.b",
// "user@www.a.b" and "a/http://b" are no links.
bool continuesWord(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return isAsciiLetter(u) || isAsciiDigit(u) || u >= 128 || isOneOf(c, "-._~:/?#@!$&+=%");
}

// The length of the link's scheme at p ("www." counts as one), 0 for none.
std::size_t schemeLength(const char* p, const char* end) {
    static const char* const schemes[] = {"http://", "https://", "ftp://", "mailto:"};
    for (const char* scheme : schemes) {
        if (startsWithFolded(p, end, scheme)) return std::strlen(scheme);
    }
    if (startsWithFolded(p, end, "www.") && p + 4 < end &&
        (isAsciiLetter(static_cast<unsigned char>(p[4])) || isAsciiDigit(static_cast<unsigned char>(p[4]))))
        return 4;
    return 0;
}

// Every scheme above begins with one of these letters. Each byte of a line
// is asked whether a link starts there: nearly all are turned away here.
bool mayBeginScheme(char c) {
    switch (asciiLower(static_cast<unsigned char>(c))) {
        case 'h': case 'f': case 'm': case 'w': return true;
        default: return false;
    }
}

bool startsLink(const char* p, const char* lineStart, const char* end) {
    if (p > lineStart && continuesWord(p[-1])) return false;
    return schemeLength(p, end) > 0;
}

const char* urlRun(const char* from, const char* to) {
    while (from < to && isUrlByte(*from)) ++from;
    return from;
}

// Where a link without brackets ends: punctuation after it belongs to the
// sentence, and so does a closing bracket that the link did not open.
const char* trimLinkEnd(const char* from, const char* to) {
    static const char closers[] = ")]}";
    static const char openers[] = "([{";
    // The brackets of the whole link are counted only when one closes it:
    // most links end in a letter, a digit or a '/'.
    long open[3] = {0, 0, 0};
    bool counted = false;
    while (to > from) {
        const char last = to[-1];
        const char* closer = isOneOf(last, closers) ? std::strchr(closers, last) : nullptr;
        if (closer != nullptr && !counted) {
            counted = true;
            for (const char* p = from; p < to; ++p) {
                for (int i = 0; i < 3; ++i) {
                    if (*p == openers[i]) ++open[i];
                    if (*p == closers[i]) --open[i];
                }
            }
        }
        if (isOneOf(last, ".,;:!?'*")) {
            --to;
        } else if (closer != nullptr && open[closer - closers] < 0) {
            ++open[closer - closers];
            --to;
        } else {
            break;
        }
    }
    return to;
}

// The start of a next line that can only be the rest of a cut link.
bool looksLikeRestOfLink(const char* from, const char* to) {
    for (const char* p = from; p < to; ++p) {
        if (isOneOf(*p, "/?=&#%~")) return true;
        if (*p == '.' && p + 1 < to &&
            (isAsciiLetter(static_cast<unsigned char>(p[1])) || isAsciiDigit(static_cast<unsigned char>(p[1]))))
            return true;
    }
    return false;
}

bool isLong(const messageLine& line) { return line.end - line.begin >= wrappedLineLength; }

// The host a link names, or an empty text when it names none.
std::string hostOf(const std::string& url) {
    const char* p = url.c_str();
    const char* end = p + url.size();
    if (startsWithFolded(p, end, "mailto:")) {
        const char* address = p + 7;
        const char* stop = address;
        while (stop < end && !isOneOf(*stop, "?,;&")) ++stop;
        const char* at = nullptr;
        for (const char* q = address; q < stop; ++q)
            if (*q == '@') at = q;
        return at != nullptr ? std::string(at + 1, stop) : std::string();
    }
    const char* scheme = std::strstr(p, "://");
    const char* authority = scheme != nullptr ? scheme + 3 : p;
    const char* stop = authority;
    while (stop < end && !isOneOf(*stop, "/?#\\")) ++stop;
    for (const char* q = authority; q < stop; ++q)
        if (*q == '@') authority = q + 1;  // credentials
    const char* hostEnd = authority;
    if (hostEnd < stop && *hostEnd == '[') {
        while (hostEnd < stop && *hostEnd != ']') ++hostEnd;
        if (hostEnd < stop) ++hostEnd;
    } else {
        while (hostEnd < stop && *hostEnd != ':') ++hostEnd;  // the port
    }
    while (hostEnd > authority && hostEnd[-1] == '.') --hostEnd;
    if (startsWithFolded(authority, hostEnd, "www.") && hostEnd - authority > 4) authority += 4;
    return std::string(authority, hostEnd);
}

struct foundLink {
    const char* textBegin = nullptr;  // in the first line, a '<' before the link included
    lineFacts lastLine;               // the line the link ends in
    const char* resume = nullptr;     // where the line's text goes on after the link
    std::string url;
    std::string host;
};

// A link inside angle brackets, possibly cut by line ends and the blanks
// and quote prefixes that came with them, up to its '>'.
bool bracketedLink(const char* start, const lineFacts& line, lineWindow& lines, foundLink& link) {
    const char* run = urlRun(start, line.line.end);
    link.url.assign(start, run);
    lineFacts current = line;
    for (int more = 0;; ++more) {
        if (run < current.line.end && *run == '>') {
            link.lastLine = current;
            link.resume = run + 1;
            return true;
        }
        if (run < current.line.end || more == linkLinesAfterFirst || !lines.next(current, current)) return false;
        if (current.line.depth != line.line.depth) return false;
        const char* piece = skipBlanks(current.line.content, current.line.end);
        run = urlRun(piece, current.line.end);
        if (run == piece) return false;
        link.url.append(piece, run);
    }
}

// A link without brackets, followed onto the next lines when it was cut.
void plainLink(const char* start, const lineFacts& line, lineWindow& lines, foundLink& link) {
    const char* run = urlRun(start, line.line.end);
    const char* end = trimLinkEnd(start, run);
    link.url.assign(start, end);
    link.lastLine = line;
    link.resume = end;
    lineFacts current = line;
    for (int more = 0; more < linkLinesAfterFirst; ++more) {
        lineFacts next;
        if (end != current.line.end || !isLong(current.line) || !lines.next(current, next)) return;
        const char* piece = next.line.content;
        if (next.line.depth != line.line.depth || piece == next.line.end || isBlank(*piece) ||
            startsLink(piece, piece, next.line.end))
            return;
        run = urlRun(piece, next.line.end);
        if (!looksLikeRestOfLink(piece, run)) return;
        end = trimLinkEnd(piece, run);
        link.url.append(piece, end);
        link.lastLine = next;
        link.resume = end;
        current = next;
    }
}

// The link that starts at `start`; false when it names no host, and then
// `skipTo` says where to look on.
bool findLink(const char* start, const lineFacts& line, lineWindow& lines, foundLink& link, const char*& skipTo) {
    const bool bracketed = start > line.line.content && start[-1] == '<';
    link.textBegin = bracketed ? start - 1 : start;
    if (!bracketed || !bracketedLink(start, line, lines, link)) {
        plainLink(start, line, lines, link);
        if (bracketed && link.resume < link.lastLine.line.end && *link.resume == '>') ++link.resume;
    }
    link.host = hostOf(link.url);
    if (!link.host.empty()) return true;
    skipTo = urlRun(start, line.line.end);
    return false;
}

// Whether [from, to) holds a word: a letter, a digit or a byte above ASCII.
bool holdsWord(const char* from, const char* to) {
    for (const char* p = from; p < to; ++p) {
        const unsigned char u = static_cast<unsigned char>(*p);
        if (isAsciiLetter(u) || isAsciiDigit(u) || u >= 128) return true;
    }
    return false;
}

std::string folded(const std::string& host) {
    std::string lower(host);
    for (char& c : lower) c = static_cast<char>(asciiLower(static_cast<unsigned char>(c)));
    return lower;
}

}  // namespace

readingRule* makeLinkSpeech(const ruleSetting& setting, ruleRoom& room) {
    const languagePhrases& phrases = buildLanguagePhrases();
    return room.make<linkSpeech>(phraseOf(setting.filter, symbolLink, phrases.link),
                                        setting.isOn(optionLeaveOutBoilerplate),
                                        phraseOf(setting.filter, symbolLinkAgain, phrases.linkAgain));
}

void linkSpeech::say(const std::string& host, bool adjacent, readingOutput& out) {
    if (!once_) {
        if (phrase_ != nullptr) out.putPhrase(phrase_, host.c_str());
        return;
    }
    const std::string key = folded(host);
    const bool again = named_.count(key) > 0;
    if (adjacent && again && key == last_) return;
    last_ = key;
    if (!again) {
        named_.insert(key);
        if (phrase_ != nullptr) out.putPhrase(phrase_, host.c_str());
        return;
    }
    if (phrase_ != nullptr && again_ != nullptr) out.putPhrase(again_, host.c_str());
}

void linkSpeech::after(const lineFacts& line, lineFate fate, std::size_t, passState&, readingOutput&) {
    if (!once_) return;
    if (line.blank || fate != lineFate::text || line.line.depth != depth_) {
        // Clearing a set empties all its buckets, however few hosts it holds.
        if (!named_.empty()) named_.clear();
        last_.clear();
        adjacent_ = false;
        depth_ = line.line.depth;
        return;
    }
    if (line.line.begin != taken_ && line.hasWord) adjacent_ = false;
}

lineTaken linkSpeech::take(const lineFacts& line, passState& state, readingOutput& out) {
    // A line where no link can begin is written as text by the pass.
    if (!line.hasLink) return lineTaken::passed();
    out.putPrefix(line);
    lineFacts current = line;
    const char* copied = line.line.content;
    const char* p = line.line.content;
    while (p < current.line.end) {
        if (!mayBeginScheme(*p) || !startsLink(p, current.line.content, current.line.end)) {
            ++p;
            continue;
        }
        foundLink link;
        const char* skipTo = p + 1;
        if (!findLink(p, current, state.lines, link, skipTo)) {
            p = skipTo > p ? skipTo : p + 1;
            continue;
        }
        out.put(copied, link.textBegin);
        const bool adjacent = adjacent_ && !holdsWord(copied, link.textBegin);
        say(link.host, adjacent, out);
        adjacent_ = true;
        current = link.lastLine;
        p = copied = link.resume;
    }
    if (holdsWord(copied, current.line.end)) adjacent_ = false;
    out.put(copied, current.line.next);
    taken_ = line.line.begin;
    return lineTaken::upTo(current.line.next);
}

}  // namespace postsift
