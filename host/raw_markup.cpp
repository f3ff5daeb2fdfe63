#include "raw_markup.h"

#include "ascii_text.h"

namespace postsift::host {

namespace {

// Pieces are shown up to here: enough to find them again in the message.
constexpr std::size_t shownLength = 60;

std::string shown(std::string_view piece) { return std::string(piece.substr(0, shownLength)); }

// The names of HTML elements that mail carries. A known name keeps "<g>"
// (a grin) and "<Zavo>" out, which writers type on purpose.
bool isHtmlName(const std::string& name) {
    for (const char* known :
         {"a",     "b",      "i",     "u",      "p",      "br",     "hr",     "div",  "span",  "font", "table",
          "tr",    "td",     "th",    "tbody",  "thead",  "img",    "html",   "body", "head",  "title", "center",
          "ul",    "ol",     "li",    "h1",     "h2",     "h3",     "h4",     "h5",   "h6",    "blockquote",
          "pre",   "strong", "em",    "style",  "script", "meta",   "link",   "form", "input", "small", "big",
          "sup",   "sub",    "o:p",   "area",   "map",    "base",   "strike", "s",    "tt",    "code", "dl",
          "dt",    "dd",     "col",   "option", "select", "textarea", "iframe", "frame", "noscript", "nobr",
          "basefont", "marquee", "label", "button", "xml", "!doctype"})
        if (name == known) return true;
    return false;
}

// A tag at `at` ('<'): its length, or 0.
std::size_t tagLength(std::string_view text, std::size_t at) {
    std::size_t i = at + 1;
    if (i < text.size() && text[i] == '/') ++i;
    const std::size_t nameStart = i;
    while (i < text.size() && (isAsciiAlnum(text[i]) || text[i] == ':' || text[i] == '!')) ++i;
    if (i == nameStart || !isHtmlName(asciiLowered(text.substr(nameStart, i - nameStart)))) return 0;
    if (i < text.size() && text[i] != '>' && text[i] != '/' && !isBlank(text[i]) && text[i] != '\n') return 0;
    for (std::size_t end = i; end < text.size() && end - at < 400; ++end) {
        if (text[end] == '>') return end + 1 - at;
        if (text[end] == '<') return 0;
    }
    return 0;
}

// An entity at `at` ('&'): its length, or 0.
std::size_t entityLength(std::string_view text, std::size_t at) {
    std::size_t i = at + 1;
    if (i < text.size() && text[i] == '#') {
        ++i;
        const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
        if (hex) ++i;
        const std::size_t digits = i;
        while (i < text.size() && i - digits < 8 &&
               (isAsciiDigit(text[i]) || (hex && ((text[i] >= 'a' && text[i] <= 'f') || (text[i] >= 'A' && text[i] <= 'F')))))
            ++i;
        if (i == digits) return 0;
    } else {
        const std::size_t letters = i;
        while (i < text.size() && i - letters < 9 && isAsciiAlnum(text[i])) ++i;
        if (i - letters < 2 || !isAsciiLetter(text[letters])) return 0;
    }
    return i < text.size() && text[i] == ';' ? i + 1 - at : 0;
}

// An encoded word at `at` ("=?"): "=?charset?Q?text?=", or 0.
std::size_t encodedWordLength(std::string_view text, std::size_t at) {
    std::size_t i = at + 2;
    const std::size_t charset = i;
    while (i < text.size() && i - charset < 40 && text[i] != '?' && !isBlank(text[i]) && text[i] != '\n') ++i;
    if (i == charset || i + 2 >= text.size() || text[i] != '?') return 0;
    const char encoding = asciiLower(text[i + 1]);
    if ((encoding != 'q' && encoding != 'b') || text[i + 2] != '?') return 0;
    const std::size_t end = text.find("?=", i + 3);
    if (end == std::string_view::npos || end - at > 600) return 0;
    for (std::size_t c = i + 3; c < end; ++c)
        if (isBlank(text[c]) || text[c] == '\n') return 0;
    return end + 2 - at;
}

// A link at `at`: "scheme://..." or "www." opening a word; its length, or 0.
std::size_t linkLength(std::string_view text, std::size_t at) {
    // "ana-www.example.org" and "user@www.example.org" are no links of their own.
    if (at > 0 && (isAsciiAlnum(text[at - 1]) || text[at - 1] == '.' || text[at - 1] == '/' || text[at - 1] == '-' ||
                   text[at - 1] == '@' || text[at - 1] == '_'))
        return 0;
    const std::string_view rest = text.substr(at);
    if (!startsWithNoCase(rest, "http://") && !startsWithNoCase(rest, "https://") &&
        !startsWithNoCase(rest, "ftp://") && !(startsWithNoCase(rest, "www.") && rest.size() > 4 && isAsciiAlnum(rest[4])))
        return 0;
    std::size_t end = 0;
    while (end < rest.size() && !isBlank(rest[end]) && rest[end] != '\n' && rest[end] != '\r' && rest[end] != '>' &&
           rest[end] != '"')
        ++end;
    return end;
}

}  // namespace

rawMarkup findRawMarkup(std::string_view spoken) {
    rawMarkup found;
    std::size_t i = 0;
    while (i < spoken.size()) {
        std::size_t length = 0;
        const char c = spoken[i];
        if (c == '<' && (length = tagLength(spoken, i)) > 0) {
            found.tags.push_back(shown(spoken.substr(i, length)));
        } else if (c == '&' && (length = entityLength(spoken, i)) > 0) {
            found.entities.push_back(shown(spoken.substr(i, length)));
        } else if (c == '=' && i + 1 < spoken.size() && spoken[i + 1] == '?' &&
                   (length = encodedWordLength(spoken, i)) > 0) {
            found.encodedWords.push_back(shown(spoken.substr(i, length)));
        } else if ((c == 'h' || c == 'H' || c == 'f' || c == 'F' || c == 'w' || c == 'W') &&
                   (length = linkLength(spoken, i)) > 0) {
            found.links.push_back(shown(spoken.substr(i, length)));
        }
        i += length > 0 ? length : 1;
    }
    return found;
}

std::string withoutTags(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = text[i] == '<' ? tagLength(text, i) : 0;
        if (length > 0) {
            out += ' ';
            i += length;
        } else {
            out += text[i++];
        }
    }
    return out;
}

}  // namespace postsift::host
