#pragma once
#include <cstddef>
#include <cstring>

#include "support/ascii.h"

namespace postsift::mime {

// A run of bytes inside a text that someone else owns.
struct byteSpan {
    const char* begin = nullptr;
    const char* end = nullptr;

    byteSpan() = default;
    byteSpan(const char* from, const char* to) : begin(from), end(to) {}

    std::size_t size() const { return static_cast<std::size_t>(end - begin); }
    bool empty() const { return begin == end; }
};

// A blank or a tab: what may stand around a header value's words.
inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The span without the blanks and tabs at either end.
inline byteSpan trimmed(byteSpan span) {
    while (span.begin < span.end && isBlank(*span.begin)) ++span.begin;
    while (span.end > span.begin && isBlank(span.end[-1])) --span.end;
    return span;
}

// The same bytes, whatever the case of the ASCII letters on either side.
inline bool sameName(byteSpan span, byteSpan other) {
    if (span.size() != other.size()) return false;
    for (std::size_t i = 0; i < span.size(); ++i)
        if (asciiLower(static_cast<unsigned char>(span.begin[i])) !=
            asciiLower(static_cast<unsigned char>(other.begin[i])))
            return false;
    return true;
}

// Equal to `lower`, a lower-case ASCII name, whatever the case of the span's letters.
inline bool sameName(byteSpan span, const char* lower) {
    return sameName(span, byteSpan(lower, lower + std::strlen(lower)));
}

// Begins with `lower`, whatever the case.
inline bool startsWithName(byteSpan span, const char* lower) {
    const std::size_t length = std::strlen(lower);
    return span.size() >= length && sameName(byteSpan(span.begin, span.begin + length), lower);
}

}  // namespace postsift::mime
