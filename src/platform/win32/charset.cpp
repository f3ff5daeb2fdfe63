#include <windows.h>

#include <string>

#include "platform/charset.h"
#include "platform/charset_names.h"
#include "platform/shift_state.h"

namespace postsift::platform {

namespace {

// What a converter writes for a sequence it cannot read: left out.
constexpr char32_t replacementCharacter = 0xFFFD;

// Where a piece of a text in a double-byte code page may end: after the
// last character that lies whole inside it.
std::size_t doubleByteEnd(unsigned codePage, const char* in, std::size_t length) {
    std::size_t end = 0;
    while (end < length) {
        const std::size_t size = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(in[end])) ? 2 : 1;
        if (end + size > length) break;
        end += size;
    }
    return end > 0 ? end : length;
}

bool shiftSchemeOf(charsetForm form, shiftScheme& scheme) {
    switch (form) {
        case charsetForm::utf7: scheme = shiftScheme::utf7; return true;
        case charsetForm::iso2022: scheme = shiftScheme::iso2022; return true;
        case charsetForm::hz: scheme = shiftScheme::hz; return true;
        default: return false;
    }
}

// Where a piece of a text in another code page may end: after its last line
// feed or, failing that, after its last byte below '0', which no multi-byte
// code page without shifts uses inside a character.
std::size_t safeEnd(const char* in, std::size_t length) {
    for (std::size_t i = length; i > 0; --i)
        if (in[i - 1] == '\n') return i;
    for (std::size_t i = length; i > 0; --i)
        if (static_cast<unsigned char>(in[i - 1]) < '0') return i;
    return length;
}

int toUnits(unsigned codePage, DWORD flags, const char* in, std::size_t length, wchar_t* units, std::size_t room) {
    return MultiByteToWideChar(codePage, flags, in, static_cast<int>(length), units, static_cast<int>(room));
}

// The units of a piece with a sequence the code page does not define, read
// character by character: the shortest run of bytes from each place that
// reads as a character, and where none does, its first byte passed over,
// as iconv is driven on the other side. A lead byte whose character the
// end of the piece cuts off is left out with the bytes after it.
std::size_t unitsSkippingInvalid(unsigned codePage, unsigned maxCharSize, const char* in, std::size_t length,
                                 wchar_t* units, std::size_t room) {
    std::size_t written = 0;
    std::size_t at = 0;
    while (at < length) {
        std::size_t size = 1;
        bool read = false;
        for (; size <= maxCharSize && at + size <= length; ++size) {
            const int n = toUnits(codePage, MB_ERR_INVALID_CHARS, in + at, size, units + written, room - written);
            if (n > 0) {
                written += static_cast<std::size_t>(n);
                read = true;
                break;
            }
        }
        if (read) {
            at += size;
        } else if (size <= maxCharSize && IsDBCSLeadByteEx(codePage, static_cast<BYTE>(in[at]))) {
            break;  // cut off by the end
        } else {
            ++at;
        }
    }
    return written;
}

// Widens UTF-16 units to code points at `out`, without the replacement
// character; answers how many it wrote.
std::size_t putCodePoints(const wchar_t* units, std::size_t count, char32_t* out) {
    std::size_t produced = 0;
    for (std::size_t i = 0; i < count; ++i) {
        char32_t code = static_cast<char16_t>(units[i]);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < count) {
            const char32_t low = static_cast<char16_t>(units[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (code != replacementCharacter) out[produced++] = code;
    }
    return produced;
}

// A shifted run (its shift sequence, its bytes and the sequence that ends
// it) through the code page alone. What the converter makes of a bad
// sequence ('?', U+FFFD, the code page's default character) is left out;
// so is any ASCII, since a shifted run holds none.
std::size_t putShiftedRun(unsigned codePage, const char* in, std::size_t length, char32_t* out, std::size_t room) {
    std::string run;
    // ISO-2022-KR names the set that SO shifts to once, at the top of the
    // text; each run read alone is told again.
    if (codePage == 50225) run = "\x1b$)C";
    run.append(in, length);
    std::wstring units(run.size() + 1, L'\0');
    const int written = toUnits(codePage, 0, run.data(), run.size(), &units[0], units.size());
    if (written <= 0) return 0;
    CPINFOEXW info;
    const wchar_t defaultCharacter = GetCPInfoExW(codePage, 0, &info) ? info.UnicodeDefaultChar : L'?';
    std::size_t produced = 0;
    char32_t characters[2];
    for (int i = 0; i < written; ++i) {
        if (units[i] < 0x80 || units[i] == defaultCharacter) continue;
        const bool pair = units[i] >= 0xD800 && units[i] <= 0xDBFF && i + 1 < written;
        const std::size_t n = putCodePoints(&units[i], pair ? 2 : 1, characters);
        if (pair) ++i;
        for (std::size_t k = 0; k < n && produced < room; ++k) out[produced++] = characters[k];
    }
    return produced;
}

// A piece of ISO-2022 or HZ text: the unshifted text read here, as the
// library reads such text when no converter is there (so a bad escape
// gives the same text on every system), each shifted run read by the code
// page on its own.
std::size_t decodeShifted(unsigned codePage, shiftScheme scheme, const char* in, std::size_t length, char32_t* out,
                          std::size_t room) {
    std::size_t produced = 0;
    bool shifted = false;
    std::size_t runStart = 0;
    std::size_t at = 0;
    while (at < length) {
        const bool wasShifted = shifted;
        const shiftUnit unit = readShiftUnit(scheme, in + at, length - at, shifted);
        if (unit.length == 0) break;  // a sequence cut off by the end of the text
        if (!wasShifted && shifted) runStart = at;
        at += unit.length;
        if (wasShifted && !shifted)
            produced += putShiftedRun(codePage, in + runStart, at - runStart, out + produced, room - produced);
        else if (!shifted && unit.text && produced < room)
            out[produced++] = static_cast<unsigned char>(unit.character);
    }
    if (shifted) produced += putShiftedRun(codePage, in + runStart, length - runStart, out + produced, room - produced);
    return produced;
}

}  // namespace

charsetDecoder::charsetDecoder(const char* name, std::size_t nameLength) {
    const charsetName* entry = findCharsetName(name, nameLength);
    if (entry == nullptr || entry->codePage == 0) return;
    CPINFO info;
    if (!IsValidCodePage(entry->codePage) || !GetCPInfo(entry->codePage, &info)) return;
    codePage_ = entry->codePage;
    maxCharSize_ = info.MaxCharSize;
    form_ = entry->form;
    open_ = true;
}

charsetDecoder::~charsetDecoder() = default;

std::size_t charsetDecoder::decode(const char* in, std::size_t inLength, bool last, char32_t* out,
                                   std::size_t room, std::size_t& consumed) {
    consumed = 0;
    if (!open_ || room == 0 || inLength == 0) return 0;
    std::size_t piece = inLength < room ? inLength : room;
    shiftScheme scheme = shiftScheme::utf7;
    const bool shifting = shiftSchemeOf(form_, scheme);
    if (piece < inLength || !last) {
        if (shifting)
            piece = unshiftedEnd(scheme, in, piece);
        else if (maxCharSize_ == 2)
            piece = doubleByteEnd(codePage_, in, piece);
        else if (maxCharSize_ > 2)
            piece = safeEnd(in, piece);
    }
    consumed = piece;
    if (form_ == charsetForm::iso2022 || form_ == charsetForm::hz)
        return decodeShifted(codePage_, scheme, in, piece, out, room);
    // A byte gives at most one UTF-16 unit, so a piece of `room` bytes
    // needs `room` units: half the caller's room in bytes. They go into its
    // upper half and are widened to code points from the front; a code
    // point written there only covers units that have been read already.
    wchar_t* units = reinterpret_cast<wchar_t*>(out) + room;
    // UTF-7 takes no flags; it writes no '?' of its own either.
    const DWORD flags = form_ == charsetForm::utf7 ? 0 : MB_ERR_INVALID_CHARS;
    int written = toUnits(codePage_, flags, in, piece, units, room);
    if (written <= 0 && flags != 0 && GetLastError() == ERROR_NO_UNICODE_TRANSLATION)
        written = static_cast<int>(unitsSkippingInvalid(codePage_, maxCharSize_, in, piece, units, room));
    if (written <= 0) return 0;  // nothing readable in it
    return putCodePoints(units, static_cast<std::size_t>(written), out);
}

}  // namespace postsift::platform
