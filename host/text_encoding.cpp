#include "text_encoding.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace postsift::host {
namespace {

// Windows-1252 0x80 to 0x9F; the undefined bytes keep their own number.
const char32_t highControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isUndefinedByte(char32_t c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

// Latin Extended-A, U+0100 to U+017F, by its base letter. The few that
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

struct standIn {
    char32_t code;
    const char* text;
};

// Sorted by code point. Punctuation and symbols that mail often carries,
// written the way a typewriter would.
const standIn standIns[] = {
    {0x0218, "S"},     {0x0219, "s"},       {0x021A, "T"},     {0x021B, "t"},     {0x02B9, "'"},
    {0x02BA, "\""},    {0x02BB, "'"},       {0x02BC, "'"},     {0x02C8, "'"},     {0x02CB, "`"},
    {0x2010, "-"},     {0x2011, "-"},       {0x2012, "-"},     {0x2015, "\x97"},  {0x2016, "||"},
    {0x2017, "_"},     {0x201B, "'"},       {0x201F, "\""},    {0x2023, "\x95"},  {0x2024, "."},
    {0x2025, ".."},    {0x2027, "-"},       {0x2028, "\n"},    {0x2029, "\n"},    {0x202F, " "},
    {0x2032, "'"},     {0x2033, "\""},      {0x2035, "`"},     {0x203C, "!!"},    {0x2043, "-"},
    {0x2044, "/"},     {0x2047, "??"},      {0x2048, "?!"},    {0x2049, "!?"},    {0x205F, " "},
    {0x2103, "\xb0" "C"}, {0x2109, "\xb0" "F"}, {0x2116, "No"}, {0x2120, "SM"},   {0x2153, "1/3"},
    {0x2154, "2/3"},   {0x2190, "<-"},      {0x2192, "->"},    {0x2194, "<->"},   {0x21D0, "<="},
    {0x21D2, "=>"},    {0x21D4, "<=>"},     {0x2212, "-"},     {0x2215, "/"},     {0x2217, "*"},
    {0x2219, "\xb7"},  {0x2260, "!="},      {0x2264, "<="},    {0x2265, ">="},    {0x3000, " "},
    {0xFB00, "ff"},    {0xFB01, "fi"},      {0xFB02, "fl"},    {0xFB03, "ffi"},   {0xFB04, "ffl"},
    {0xFB05, "st"},    {0xFB06, "st"},      {0xFE0E, ""},      {0xFE0F, ""},      {0xFEFF, ""},
};

// A combining accent after a letter: the precomposed letter where
// Windows-1252 has one (mail written on some systems arrives decomposed).
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

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes one UTF-8 sequence at `pos` and moves past it. A malformed one
// answers false and moves past its first byte only.
bool decodeOne(std::string_view text, std::size_t& pos, char32_t& code) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length;
    char32_t minimum;
    if (lead < 0x80) {
        code = lead;
        ++pos;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return false;
    }
    if (text.size() - pos < length) {
        ++pos;
        return false;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(next)) {
            ++pos;
            return false;
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++pos;
        return false;
    }
    pos += length;
    return true;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The Windows-1252 byte for a code point, or -1.
int windows1252Byte(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF) || isUndefinedByte(code)) return static_cast<int>(code);
    const auto* found = std::find(std::begin(highControls), std::end(highControls), code);
    return found != std::end(highControls) ? 0x80 + static_cast<int>(found - std::begin(highControls)) : -1;
}

// Tries to put a combining accent on the letter just written.
bool composeAccent(std::string& out, char32_t mark) {
    if (out.empty()) return false;
    for (const accent& candidate : accents) {
        if (candidate.mark != mark) continue;
        const char* base = std::strchr(candidate.bases, out.back());
        if (out.back() == '\0' || base == nullptr) return false;
        out.back() = candidate.composed[base - candidate.bases];
        return true;
    }
    return false;
}

void appendStandIn(std::string& out, char32_t code) {
    if (code >= 0x0100 && code <= 0x017F) {
        out += latinExtendedA[code - 0x0100];
    } else if (code >= 0x0300 && code <= 0x036F) {
        // An accent with no precomposed form is left out: the letter reads well enough.
        composeAccent(out, code);
    } else if (code >= 0x2000 && code <= 0x200A) {
        out += ' ';
    } else if ((code >= 0x200B && code <= 0x200F) || (code >= 0x202A && code <= 0x202E) ||
               (code >= 0x2060 && code <= 0x2064)) {
        // Zero-width and direction marks: nothing to read.
    } else if (code >= 0xFF01 && code <= 0xFF5E) {
        out += static_cast<char>(code - 0xFEE0);  // full-width ASCII
    } else {
        const auto* found = std::lower_bound(std::begin(standIns), std::end(standIns), code,
                                             [](const standIn& entry, char32_t c) { return entry.code < c; });
        out += found != std::end(standIns) && found->code == code ? found->text : "?";
    }
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    char32_t code;
    while (pos < bytes.size()) {
        if (!decodeOne(bytes, pos, code)) return false;
    }
    return true;
}

std::string utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t code;
        if (!decodeOne(utf8, pos, code)) {
            out += '?';
            continue;
        }
        const int byte = windows1252Byte(code);
        if (byte >= 0) {
            out += static_cast<char>(byte);
        } else {
            appendStandIn(out, code);
        }
    }
    return out;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        appendUtf8(out, c >= 0x80 && c < 0xA0 ? highControls[c - 0x80] : c);
    }
    return out;
}

std::string toPluginText(std::string_view bytes, inputEncoding encoding) {
    const bool utf8 = encoding == inputEncoding::utf8 || (encoding == inputEncoding::automatic && isValidUtf8(bytes));
    return utf8 ? utf8ToWindows1252(bytes) : std::string(bytes);
}

std::string toPluginMessage(std::string_view bytes, inputEncoding encoding, bool decodingStageOn) {
    if (encoding == inputEncoding::utf8) return utf8ToWindows1252(bytes);
    // ASCII is valid UTF-8 and comes back the same: nothing to tell apart.
    if (encoding == inputEncoding::windows1252 && decodingStageOn && isValidUtf8(bytes))
        return windows1252ToUtf8(bytes);
    return std::string(bytes);
}

}  // namespace postsift::host
