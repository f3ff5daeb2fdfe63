#include "mime/windows1252.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "mime/utf8.h"

namespace postsift::mime {

namespace {

// Windows-1252 0x80 to 0x9F; the undefined bytes keep their own number.
const char32_t highRange[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isUndefinedByte(char32_t c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

// Latin Extended-A, U+0100 to U+017F, by base letter. The few that
// Windows-1252 has (Œ, Š, Ÿ, Ž and their small forms) never get here.
const char latinExtendedA[] =
    "AaAaAaCcCcCcCcDd"
    "DdEeEeEeEeEeGgGg"
    "GgGgHhHhIiIiIiIi"
    "IiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOo"
    "OoOoRrRrRrSsSsSs"
    "SsTtTtTtUuUuUuUu"
    "UuUuWwYyYZzZzZzs";

// Vietnamese letters with two marks, U+1EA0 to U+1EF9, by base letter.
const char latinExtendedAdditional[] =
    "AaAaAaAaAaAaAaAaAaAaAaAa"
    "EeEeEeEeEeEeEeEe"
    "IiIi"
    "OoOoOoOoOoOoOoOoOoOoOoOo"
    "UuUuUuUuUuUuUu"
    "YyYyYyYy";

struct standIn {
    char32_t code;
    const char* text;
};

// Sorted by code point. Letters, punctuation and symbols that mail often
// carries, written the way a typewriter would.
const standIn standIns[] = {
    {0x01A0, "O"},     {0x01A1, "o"},       {0x01AF, "U"},     {0x01B0, "u"},     {0x0218, "S"},
    {0x0219, "s"},     {0x021A, "T"},       {0x021B, "t"},     {0x02B9, "'"},     {0x02BA, "\""},
    {0x02BB, "'"},     {0x02BC, "'"},       {0x02C8, "'"},     {0x02CB, "`"},     {0x2010, "-"},
    {0x2011, "-"},     {0x2012, "-"},       {0x2015, "\x97"},  {0x2016, "||"},    {0x2017, "_"},
    {0x201B, "'"},     {0x201F, "\""},      {0x2023, "\x95"},  {0x2024, "."},     {0x2025, ".."},
    {0x2027, "-"},     {0x202F, " "},     {0x2032, "'"},
    {0x2033, "\""},    {0x2035, "`"},       {0x203C, "!!"},    {0x2043, "-"},     {0x2044, "/"},
    {0x2047, "??"},    {0x2048, "?!"},      {0x2049, "!?"},    {0x205F, " "},     {0x2103, "\xb0" "C"},
    {0x2109, "\xb0" "F"}, {0x2116, "No"},   {0x2120, "SM"},    {0x2153, "1/3"},   {0x2154, "2/3"},
    {0x2190, "<-"},    {0x2192, "->"},      {0x2194, "<->"},   {0x21D0, "<="},    {0x21D2, "=>"},
    {0x21D4, "<=>"},   {0x2212, "-"},       {0x2215, "/"},     {0x2217, "*"},     {0x2219, "\xb7"},
    {0x2260, "!="},    {0x2264, "<="},      {0x2265, ">="},    {0x3000, " "},     {0xFB00, "ff"},
    {0xFB01, "fi"},    {0xFB02, "fl"},      {0xFB03, "ffi"},   {0xFB04, "ffl"},   {0xFB05, "st"},
    {0xFB06, "st"},
};

// A combining accent after a letter: the precomposed letter where
// Windows-1252 has one (some systems write mail decomposed).
struct accent {
    char32_t mark;
    const char* bases;
    const char* composed;
};

const accent accents[] = {
    {0x0300, "AEIOUaeiou", "\xC0\xC8\xCC\xD2\xD9\xE0\xE8\xEC\xF2\xF9"},
    {0x0301, "AEIOUYaeiouy", "\xC1\xC9\xCD\xD3\xDA\xDD\xE1\xE9\xED\xF3\xFA\xFD"},
    {0x0302, "AEIOUaeiou", "\xC2\xCA\xCE\xD4\xDB\xE2\xEA\xEE\xF4\xFB"},
    {0x0303, "ANOano", "\xC3\xD1\xD5\xE3\xF1\xF5"},
    {0x0308, "AEIOUYaeiouy", "\xC4\xCB\xCF\xD6\xDC\x9F\xE4\xEB\xEF\xF6\xFC\xFF"},
    {0x030A, "Aa", "\xC5\xE5"},
    {0x030C, "SZsz", "\x8A\x8E\x9A\x9E"},
    {0x0327, "Cc", "\xC7\xE7"},
};

// The byte for a character that Windows-1252 has, or -1.
int ownByte(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
    for (int i = 0; i < 32; ++i)
        if (highRange[i] == code && !isUndefinedByte(code)) return 0x80 + i;
    return -1;
}

// Puts a combining accent on the letter just written, where it composes.
void composeAccent(textBuffer& out, char32_t mark) {
    if (out.empty() || out.back() == '\0') return;
    for (const accent& candidate : accents) {
        if (candidate.mark != mark) continue;
        const char* base = std::strchr(candidate.bases, out.back());
        if (base != nullptr) out.setBack(candidate.composed[base - candidate.bases]);
        return;
    }
}

}  // namespace

char32_t windows1252Character(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? highRange[byte - 0x80] : byte;
}

bool isWindows1252Text(byteSpan text) {
    // The undefined bytes are all above 127.
    for (const char* at = firstHighByte(text.begin, text.end); at < text.end; at = firstHighByte(at + 1, text.end))
        if (isUndefinedByte(static_cast<unsigned char>(*at))) return false;
    return true;
}

void putWindows1252(textBuffer& out, char32_t code) {
    const int own = ownByte(code);
    if (own >= 0) {
        out.put(static_cast<char>(own));
    } else if (code >= 0x0100 && code <= 0x017F) {
        out.put(latinExtendedA[code - 0x0100]);
    } else if (code >= 0x1EA0 && code <= 0x1EF9) {
        out.put(latinExtendedAdditional[code - 0x1EA0]);
    } else if (code >= 0x0300 && code <= 0x036F) {
        // An accent with no precomposed form is left out: the letter reads well enough.
        composeAccent(out, code);
    } else if (code >= 0x2000 && code <= 0x200A) {
        out.put(' ');
    } else if (code >= 0xFF01 && code <= 0xFF5E) {
        out.put(static_cast<char>(code - 0xFEE0));  // full-width ASCII
    } else {
        // Everything else without a stand-in, zero-width and direction
        // marks, variation selectors and the byte order mark among them,
        // says nothing a voice could read.
        const auto* found = std::lower_bound(std::begin(standIns), std::end(standIns), code,
                                             [](const standIn& entry, char32_t c) { return entry.code < c; });
        if (found != std::end(standIns) && found->code == code) out.put(found->text);
    }
}

}  // namespace postsift::mime
