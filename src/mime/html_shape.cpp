#include "mime/html_shape.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace postsift::mime {

namespace {

// The elements of HTML 4 and the common ones of HTML 5, sorted byte for
// byte. A name that no element has ("<name@example.org>", "<Ctrl>", "<x-html>")
// is no tag: mail writes such things in prose.
const char* const elementNames[] = {
    "a",        "abbr",     "acronym",  "address",  "applet",   "area",     "article",    "aside",
    "audio",    "b",        "base",     "basefont", "bdi",      "bdo",      "big",        "blink",
    "blockquote", "body",   "br",       "button",   "canvas",   "caption",  "center",     "cite",
    "code",     "col",      "colgroup", "dd",       "del",      "details",  "dfn",        "dir",
    "div",      "dl",       "dt",       "em",       "embed",    "fieldset", "figcaption", "figure",
    "font",     "footer",   "form",     "frame",    "frameset", "h1",       "h2",         "h3",
    "h4",       "h5",       "h6",       "head",     "header",   "hr",       "html",       "i",
    "iframe",   "img",      "input",    "ins",      "kbd",      "label",    "legend",     "li",
    "link",     "main",     "map",      "mark",     "marquee",  "menu",     "meta",       "nav",
    "nobr",     "noframes", "noscript", "object",   "ol",       "optgroup", "option",     "p",
    "param",    "pre",      "q",        "s",        "samp",     "script",   "section",    "select",
    "small",    "source",   "span",     "strike",   "strong",   "style",    "sub",        "summary",
    "sup",      "table",    "tbody",    "td",       "textarea", "tfoot",    "th",         "thead",
    "time",     "title",    "tr",       "tt",       "u",        "ul",       "var",        "video",
    "wbr",
};

// Longer than any element's name: a longer run of letters and digits is no tag.
constexpr std::size_t longestName = 10;

bool isNameByte(unsigned char c) { return isAsciiLetter(c) || isAsciiDigit(c); }

bool isElementName(const char* name, std::size_t length) {
    char lower[longestName + 1];
    for (std::size_t i = 0; i < length; ++i) lower[i] = static_cast<char>(asciiLower(static_cast<unsigned char>(name[i])));
    lower[length] = '\0';
    const auto* found = std::lower_bound(std::begin(elementNames), std::end(elementNames), lower,
                                         [](const char* entry, const char* key) { return std::strcmp(entry, key) < 0; });
    return found != std::end(elementNames) && std::strcmp(*found, lower) == 0;
}

// Whether a tag begins at `at` (a '<'); `end` ends what may be read. Reads
// no more than a name's length past the '<'.
bool tagAt(const char* at, const char* end) {
    const char* p = at + 1;
    if (p < end && *p == '/') ++p;
    const char* name = p;
    while (p < end && isNameByte(static_cast<unsigned char>(*p)) && static_cast<std::size_t>(p - name) <= longestName)
        ++p;
    const std::size_t length = static_cast<std::size_t>(p - name);
    if (length == 0 || length > longestName || !isAsciiLetter(static_cast<unsigned char>(*name))) return false;
    // A tag cut by the end of its line goes on with its attributes on the next.
    const bool delimited = p == end || isAsciiSpace(static_cast<unsigned char>(*p)) || *p == '/' || *p == '>';
    return delimited && isElementName(name, length);
}

bool isLineBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f'; }

// A line (without its line feed) that is markup: it begins with a tag, a
// comment or a declaration, or ends with a tag.
bool isMarkupLine(const char* begin, const char* end) {
    while (begin < end && isLineBlank(*begin)) ++begin;
    while (end > begin && isLineBlank(end[-1])) --end;
    if (begin == end) return false;
    if (*begin == '<' && ((end - begin >= 2 && begin[1] == '!') || tagAt(begin, end))) return true;
    if (end[-1] != '>') return false;
    const char* open = end - 1;
    while (open > begin && *open != '<') --open;
    return *open == '<' && tagAt(open, end);
}

bool startsWithWord(const char* at, const char* end, const char* lower) {
    const byteSpan rest(at, end);
    if (!startsWithName(rest, lower)) return false;
    const char* after = at + std::strlen(lower);
    return after == end || !isNameByte(static_cast<unsigned char>(*after));
}

bool beginsAsDocument(const char* at, const char* end) {
    while (at < end && isAsciiSpace(static_cast<unsigned char>(*at))) ++at;
    if (startsWithWord(at, end, "<html") || startsWithWord(at, end, "<head")) return true;
    if (!startsWithName(byteSpan(at, end), "<!doctype")) return false;
    at += 9;
    const char* name = at;
    while (at < end && isAsciiSpace(static_cast<unsigned char>(*at))) ++at;
    return at > name && startsWithWord(at, end, "html");
}

}  // namespace

bool isHtmlDocument(byteSpan text) {
    if (beginsAsDocument(text.begin, text.end)) return true;
    constexpr int linesLooked = 10;
    int lines = 0;
    int markup = 0;
    for (const char* at = text.begin; at < text.end && lines < linesLooked;) {
        const char* lineEnd = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(text.end - at)));
        if (lineEnd == nullptr) lineEnd = text.end;
        const char* visible = at;
        while (visible < lineEnd && isLineBlank(*visible)) ++visible;
        if (visible < lineEnd) {
            ++lines;
            if (isMarkupLine(at, lineEnd)) ++markup;
        }
        at = lineEnd + (lineEnd < text.end ? 1 : 0);
    }
    return markup >= 3 && 2 * markup > lines;
}

bool holdsHtmlTag(byteSpan text) {
    for (const char* at = text.begin; at < text.end; ++at) {
        at = static_cast<const char*>(std::memchr(at, '<', static_cast<std::size_t>(text.end - at)));
        if (at == nullptr) return false;
        if (tagAt(at, text.end)) return true;
    }
    return false;
}

}  // namespace postsift::mime
