// Portable: only the Windows converter needs it, but the reading of shift
// sequences is the same everywhere and is tested everywhere.
#include "platform/shift_state.h"

namespace postsift::platform {
namespace {

bool isBase64Byte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

// Each step reads one unit of the text at `p` (`left` bytes remain) and
// answers its length, changing `shifted` as the unit does; 0 when the unit
// is cut off by the end of the piece.
std::size_t utf7Step(const char* p, std::size_t left, bool& shifted) {
    if (shifted) {
        // Any byte outside base64 ends the run; a '-' that does is absorbed.
        if (!isBase64Byte(*p)) shifted = false;
        return 1;
    }
    if (*p != '+') return 1;
    if (left < 2) return 0;
    if (p[1] == '-') return 2;  // "+-" is a plus sign
    shifted = true;
    return 1;
}

std::size_t iso2022Step(const char* p, std::size_t left, bool& shifted) {
    const char escape = '\x1b';
    const char shiftOut = '\x0e';
    const char shiftIn = '\x0f';
    if (*p == shiftOut) shifted = true;
    if (*p == shiftIn) shifted = false;
    if (*p != escape) return 1;
    if (left < 3) return 0;
    if (p[1] == '(') {
        shifted = p[2] == 'I';  // ASCII and JIS-Roman are unshifted; half-width katakana is not
        return 3;
    }
    if (p[1] == '$') {
        if (p[2] != '(' && p[2] != ')') {
            shifted = true;  // "ESC $ @", "ESC $ B"
            return 3;
        }
        if (left < 4) return 0;
        if (p[2] == '(') shifted = true;  // "ESC $ ( D"; "ESC $ ) C" only names the set SO shifts to
        return 4;
    }
    return 1;
}

std::size_t hzStep(const char* p, std::size_t left, bool& shifted) {
    if (*p != '~') return shifted ? (left < 2 ? 0 : 2) : 1;
    if (left < 2) return 0;
    if (p[1] == '{') shifted = true;
    if (p[1] == '}') shifted = false;
    return 2;
}

}  // namespace

std::size_t unshiftedEnd(shiftScheme scheme, const char* in, std::size_t length) {
    for (std::size_t i = length; i > 0; --i)
        if (in[i - 1] == '\n') return i;
    bool shifted = false;
    std::size_t end = 0;
    for (std::size_t i = 0; i < length;) {
        const char* p = in + i;
        const std::size_t left = length - i;
        const std::size_t step = scheme == shiftScheme::utf7      ? utf7Step(p, left, shifted)
                                 : scheme == shiftScheme::iso2022 ? iso2022Step(p, left, shifted)
                                                                  : hzStep(p, left, shifted);
        if (step == 0) break;
        i += step;
        if (!shifted) end = i;
    }
    return end > 0 ? end : length;
}

}  // namespace postsift::platform
