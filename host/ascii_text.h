#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// ASCII classes and case for the host's reading of raw mail: messages are
// bytes of many charsets, and the C library's classes would follow the
// locale rather than the text.
namespace postsift::host {

inline bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
inline bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isAsciiAlnum(char c) { return isAsciiLetter(c) || isAsciiDigit(c); }
inline bool isAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }
inline bool isAsciiLower(char c) { return c >= 'a' && c <= 'z'; }
inline bool isBlank(char c) { return c == ' ' || c == '\t'; }
inline char asciiLower(char c) { return isAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string asciiLowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = asciiLower(c);
    return out;
}

inline bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (asciiLower(text[i]) != asciiLower(prefix[i])) return false;
    return true;
}

inline bool containsNoCase(std::string_view text, std::string_view part) {
    if (part.empty()) return true;
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i)
        if (startsWithNoCase(text.substr(i), part)) return true;
    return false;
}

// The text without the blanks and carriage returns at either end.
inline std::string_view trimmed(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (isBlank(text[begin]) || text[begin] == '\r')) ++begin;
    while (end > begin && (isBlank(text[end - 1]) || text[end - 1] == '\r')) --end;
    return text.substr(begin, end - begin);
}

}  // namespace postsift::host
