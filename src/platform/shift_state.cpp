// Portable: the Windows converter needs it to cut texts into pieces and to
// read shifted runs apart, and the library to read what is left of a text
// that no converter reads; the reading of shift sequences is the same
// everywhere and is tested everywhere.
#include "platform/shift_state.h"

namespace postsift::platform {
namespace {

constexpr char escape = '\x1b';
constexpr char shiftOut = '\x0e';
constexpr char shiftIn = '\x0f';

shiftUnit unit(std::size_t length) {
    shiftUnit u;
    u.length = length;
    return u;
}

// A byte of unshifted text: ASCII reads as itself; a byte above 127 has no
// place in these 7-bit sets and is no text.
shiftUnit plainByte(char c) {
    shiftUnit u = unit(1);
    u.text = static_cast<unsigned char>(c) < 0x80;
    u.character = c;
    return u;
}

bool isBase64Byte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

bool isFinalByte(char c) { return c >= 0x30 && c <= 0x7E; }

shiftUnit utf7Unit(const char* p, std::size_t left, bool& shifted) {
    if (shifted) {
        if (isBase64Byte(*p)) return unit(1);
        // Any other byte ends the run; a '-' that does is absorbed.
        shifted = false;
        return *p == '-' ? unit(1) : plainByte(*p);
    }
    if (*p != '+') return plainByte(*p);
    if (left < 2) return unit(0);
    if (p[1] == '-') {  // "+-" is a plus sign
        shiftUnit u = unit(2);
        u.text = true;
        u.character = '+';
        return u;
    }
    shifted = true;
    return unit(1);
}

// The escape sequences of ISO-2022-JP (-1, -2), -KR and -CN. What ASCII
// leaves for is shifted: any multi-byte set, and half-width katakana;
// ASCII and JIS-Roman are unshifted. Designating G1, G2 or G3 shifts
// nothing until SO or a single shift uses it.
shiftUnit iso2022Escape(const char* p, std::size_t left, bool& shifted) {
    if (left < 3) return unit(left < 2 || p[1] == '(' || p[1] == '$' || p[1] == '.' ? 0 : 1);
    switch (p[1]) {
        case '(':
            if (p[2] == 'B' || p[2] == 'J') {
                shifted = false;
                return unit(3);
            }
            if (p[2] == 'I') {
                shifted = true;
                return unit(3);
            }
            return unit(1);
        case '$':
            if (p[2] == '@' || p[2] == 'A' || p[2] == 'B') {
                shifted = true;
                return unit(3);
            }
            if (p[2] == '(' || p[2] == ')' || p[2] == '*' || p[2] == '+') {
                if (left < 4) return unit(0);
                if (!isFinalByte(p[3])) return unit(1);
                if (p[2] == '(') shifted = true;
                return unit(4);
            }
            return unit(1);
        case '.': return isFinalByte(p[2]) ? unit(3) : unit(1);
        default: return unit(1);  // a stray ESC: the bytes after it are read as they come
    }
}

shiftUnit iso2022Unit(const char* p, std::size_t left, bool& shifted) {
    if (*p == escape) return iso2022Escape(p, left, shifted);
    if (*p == shiftOut || *p == shiftIn) {
        shifted = *p == shiftOut;
        return unit(1);
    }
    return shifted ? unit(1) : plainByte(*p);
}

shiftUnit hzUnit(const char* p, std::size_t left, bool& shifted) {
    if (shifted) {
        // A run ends with its line at the latest, so that a run left open
        // or holding an odd byte costs no more than the rest of its line.
        if (*p == '\n' || *p == '\r') {
            shifted = false;
            return plainByte(*p);
        }
        // Pairs of GB2312 bytes; a pair may end in '~', but none begins
        // with it, so a '~' here begins "~}".
        if (left < 2) return unit(0);
        if (p[0] == '~' && p[1] == '}') shifted = false;
        return unit(2);
    }
    if (*p != '~') return plainByte(*p);
    if (left < 2) return unit(0);
    if (p[1] == '{') {
        shifted = true;
        return unit(2);
    }
    if (p[1] == '~') {
        shiftUnit u = unit(2);
        u.text = true;
        u.character = '~';
        return u;
    }
    if (p[1] == '\n') return unit(2);  // a line continued: neither byte is text
    return unit(1);
}

}  // namespace

shiftUnit readShiftUnit(shiftScheme scheme, const char* p, std::size_t left, bool& shifted) {
    switch (scheme) {
        case shiftScheme::utf7: return utf7Unit(p, left, shifted);
        case shiftScheme::iso2022: return iso2022Unit(p, left, shifted);
        case shiftScheme::hz: break;
    }
    return hzUnit(p, left, shifted);
}

std::size_t unshiftedEnd(shiftScheme scheme, const char* in, std::size_t length) {
    for (std::size_t i = length; i > 0; --i)
        if (in[i - 1] == '\n') return i;
    bool shifted = false;
    std::size_t end = 0;
    for (std::size_t i = 0; i < length;) {
        const shiftUnit u = readShiftUnit(scheme, in + i, length - i, shifted);
        if (u.length == 0) break;
        i += u.length;
        if (!shifted) end = i;
    }
    return end > 0 ? end : length;
}

}  // namespace postsift::platform
