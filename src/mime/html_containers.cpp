#include "mime/html_containers.h"

#include <cstring>

#include "support/ascii.h"

namespace postsift::mime {

namespace {

bool isCssSpace(char c) { return isAsciiSpace(static_cast<unsigned char>(c)); }

byteSpan trimmedCss(byteSpan span) {
    while (span.begin < span.end && isCssSpace(*span.begin)) ++span.begin;
    while (span.end > span.begin && isCssSpace(span.end[-1])) --span.end;
    return span;
}

// The next word of `rest`, which moves past it; empty at the end.
byteSpan nextWord(byteSpan& rest) {
    while (rest.begin < rest.end && isCssSpace(*rest.begin)) ++rest.begin;
    const char* start = rest.begin;
    while (rest.begin < rest.end && !isCssSpace(*rest.begin)) ++rest.begin;
    return byteSpan(start, rest.begin);
}

// What a declaration says of the top edge: a line style or a width, each
// unsaid, switched off (none, hidden, a zero width) or shown.
enum class edge { unsaid, off, shown };

struct topEdge {
    edge style = edge::unsaid;
    edge width = edge::unsaid;

    bool visible() const {
        return (style == edge::shown || width == edge::shown) && style != edge::off && width != edge::off;
    }
};

const char* const lineStyles[] = {"solid", "dashed", "dotted", "double", "groove", "ridge", "inset", "outset"};

edge styleOf(byteSpan word) {
    if (sameName(word, "none") || sameName(word, "hidden")) return edge::off;
    for (const char* style : lineStyles)
        if (sameName(word, style)) return edge::shown;
    return edge::unsaid;
}

// A length ("0", "0.0pt", "1px", ".5em") or a width keyword; a colour or
// anything else says nothing of the width.
edge widthOf(byteSpan word) {
    if (sameName(word, "thin") || sameName(word, "medium") || sameName(word, "thick")) return edge::shown;
    const char* p = word.begin;
    if (p < word.end && (*p == '+' || *p == '-')) ++p;
    bool digits = false;
    bool nonZero = false;
    for (; p < word.end && (isAsciiDigit(static_cast<unsigned char>(*p)) || *p == '.'); ++p) {
        if (*p == '.') continue;
        digits = true;
        if (*p != '0') nonZero = true;
    }
    if (!digits) return edge::unsaid;
    for (; p < word.end; ++p)
        if (!isAsciiLetter(static_cast<unsigned char>(*p)) && *p != '%') return edge::unsaid;
    return nonZero ? edge::shown : edge::off;
}

// The shorthands set style and width together: what they leave out is
// unsaid again, as the shorthand resets it.
void readShorthand(byteSpan value, topEdge& top) {
    top = topEdge();
    for (byteSpan word = nextWord(value); !word.empty(); word = nextWord(value)) {
        const edge style = styleOf(word);
        if (style != edge::unsaid) top.style = style;
        const edge width = widthOf(word);
        if (width != edge::unsaid) top.width = width;
    }
}

void readDeclaration(byteSpan declaration, topEdge& top) {
    if (declaration.empty()) return;
    const void* colon = std::memchr(declaration.begin, ':', declaration.size());
    if (colon == nullptr) return;
    const byteSpan property = trimmedCss(byteSpan(declaration.begin, static_cast<const char*>(colon)));
    byteSpan value = byteSpan(static_cast<const char*>(colon) + 1, declaration.end);
    if (sameName(property, "border") || sameName(property, "border-top")) {
        readShorthand(value, top);
        return;
    }
    // Of the four values of border-style and border-width, the first is
    // the top's.
    const byteSpan first = nextWord(value);
    if (sameName(property, "border-style") || sameName(property, "border-top-style")) {
        top.style = styleOf(first);
    } else if (sameName(property, "border-width") || sameName(property, "border-top-width")) {
        top.width = widthOf(first);
    }
}

const char* const containerWords[] = {"quote", "cite", "reply", "rply", "forward", "fwd"};

bool containsFolded(byteSpan text, const char* lower) {
    const std::size_t length = std::strlen(lower);
    // An empty value may have no bytes at all behind it: count, never step
    // past its end.
    if (static_cast<std::size_t>(text.end - text.begin) < length) return false;
    for (const char* p = text.begin; p <= text.end - length; ++p)
        if (sameName(byteSpan(p, p + length), byteSpan(lower, lower + length))) return true;
    return false;
}

}  // namespace

bool namesQuoteContainer(byteSpan value) {
    // None of the words holds a blank, so a match inside the whole value
    // lies inside one of its words.
    for (const char* word : containerWords)
        if (containsFolded(value, word)) return true;
    return false;
}

bool drawsTopBorder(byteSpan style) {
    // An empty attribute value may have no bytes behind it at all.
    if (style.empty()) return false;
    topEdge top;
    const char* start = style.begin;
    for (const char* p = style.begin; p <= style.end; ++p) {
        if (p < style.end && *p != ';') continue;
        readDeclaration(byteSpan(start, p), top);
        start = p + 1;
    }
    return top.visible();
}

}  // namespace postsift::mime
