#pragma once
// Character classes and case folding for 8-bit Windows-1252 texts.
// Only the ASCII range is classified or folded: the locale-dependent
// <cctype> functions would treat the accented letters differently from
// one machine to the next, and every comparison here must be byte exact.

#include "support/byte_table.h"

namespace postsift {

constexpr unsigned char asciiLower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// asciiLower of every byte, for the loops that fold a word byte by byte.
inline constexpr byteTable<unsigned char> asciiLowerBytes = tableOfBytes<unsigned char>(asciiLower);

constexpr bool isAsciiLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr bool isAsciiDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// A byte of a word: an ASCII letter or digit, or any byte above ASCII
// (in Windows-1252 mostly the accented letters).
constexpr bool isWordByte(unsigned char c) { return isAsciiLetter(c) || isAsciiDigit(c) || c >= 128; }

// Space, tab, line feed, vertical tab, form feed and carriage return.
inline bool isAsciiSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Printable ASCII other than letters, digits and space.
inline bool isAsciiPunct(unsigned char c) {
    return c > ' ' && c < 127 && !isAsciiLetter(c) && !isAsciiDigit(c);
}

}  // namespace postsift
