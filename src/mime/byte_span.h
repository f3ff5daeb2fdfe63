#pragma once
#include <cstddef>
#include <cstring>

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

// The span without the blanks and tabs at either end.
inline byteSpan trimmed(byteSpan span) {
    while (span.begin < span.end && (*span.begin == ' ' || *span.begin == '\t')) ++span.begin;
    while (span.end > span.begin && (span.end[-1] == ' ' || span.end[-1] == '\t')) --span.end;
    return span;
}

// Equal to `lower`, a lower-case ASCII name, whatever the case of the span's letters.
inline bool sameName(byteSpan span, const char* lower) {
    const std::size_t length = std::strlen(lower);
    if (span.size() != length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        char c = span.begin[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

// Begins with `lower`, whatever the case.
inline bool startsWithName(byteSpan span, const char* lower) {
    const std::size_t length = std::strlen(lower);
    return span.size() >= length && sameName(byteSpan(span.begin, span.begin + length), lower);
}

}  // namespace postsift::mime
