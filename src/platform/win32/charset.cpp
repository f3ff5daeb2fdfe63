#include <windows.h>

#include <cstring>

#include "platform/charset.h"
#include "platform/shift_state.h"

namespace postsift::platform {

namespace {

struct namedCodePage {
    const char* name;
    unsigned codePage;
};

// The names mail declares, in lower case, for the code pages Windows
// converts. Windows has no converter by name, so the table says it.
const namedCodePage codePages[] = {
    {"iso-8859-2", 28592},    {"iso-8859-3", 28593},     {"iso-8859-4", 28594},   {"iso-8859-5", 28595},
    {"iso-8859-6", 28596},    {"iso-8859-7", 28597},     {"iso-8859-8", 28598},   {"iso-8859-8-i", 38598},
    {"iso-8859-9", 28599},    {"iso-8859-13", 28603},    {"iso-8859-15", 28605},  {"latin2", 28592},
    {"latin-9", 28605},       {"latin9", 28605},         {"windows-1250", 1250},  {"windows-1251", 1251},
    {"windows-1253", 1253},   {"windows-1254", 1254},    {"windows-1255", 1255},  {"windows-1256", 1256},
    {"windows-1257", 1257},   {"windows-1258", 1258},    {"cp1250", 1250},        {"cp1251", 1251},
    {"cp1253", 1253},         {"cp1254", 1254},          {"cp1255", 1255},        {"cp1256", 1256},
    {"cp1257", 1257},         {"cp1258", 1258},          {"windows-874", 874},    {"tis-620", 874},
    {"koi8-r", 20866},        {"koi8-u", 21866},         {"ibm866", 866},         {"cp866", 866},
    {"ibm850", 850},          {"cp850", 850},            {"ibm437", 437},         {"cp437", 437},
    {"macintosh", 10000},     {"x-mac-roman", 10000},    {"utf-7", 65000},        {"shift_jis", 932},
    {"shift-jis", 932},       {"sjis", 932},             {"windows-31j", 932},    {"cp932", 932},
    {"euc-jp", 20932},        {"iso-2022-jp", 50220},    {"gb2312", 936},         {"gbk", 936},
    {"cp936", 936},           {"x-gbk", 936},            {"gb18030", 54936},      {"big5", 950},
    {"cp950", 950},           {"euc-kr", 949},           {"ks_c_5601-1987", 949}, {"cp949", 949},
    {"iso-2022-kr", 50225},   {"hz-gb-2312", 52936},     {"utf-8", CP_UTF8},
};

bool sameName(const char* lower, const char* name, std::size_t length) {
    if (std::strlen(lower) != length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

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

// The code pages whose bytes change meaning after a shift sequence: a piece
// of their text must not end inside a shifted run, since
// MultiByteToWideChar keeps no state from one call to the next.
bool shiftSchemeOf(unsigned codePage, shiftScheme& scheme) {
    switch (codePage) {
        case 65000: scheme = shiftScheme::utf7; return true;
        case 50220:
        case 50221:
        case 50222:
        case 50225: scheme = shiftScheme::iso2022; return true;
        case 52936: scheme = shiftScheme::hz; return true;
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

}  // namespace

charsetDecoder::charsetDecoder(const char* name, std::size_t nameLength) {
    if (name == nullptr) return;
    for (const namedCodePage& entry : codePages) {
        CPINFO info;
        if (sameName(entry.name, name, nameLength) && IsValidCodePage(entry.codePage) &&
            GetCPInfo(entry.codePage, &info)) {
            codePage_ = entry.codePage;
            maxCharSize_ = info.MaxCharSize;
            open_ = true;
            return;
        }
    }
}

charsetDecoder::~charsetDecoder() = default;

std::size_t charsetDecoder::decode(const char* in, std::size_t inLength, bool last, char32_t* out,
                                   std::size_t room, std::size_t& consumed) {
    consumed = 0;
    if (!open_ || room == 0 || inLength == 0) return 0;
    // A byte gives at most one UTF-16 unit, so a piece of `room` bytes
    // needs `room` units: half the caller's room in bytes. They go into its
    // upper half and are widened to code points from the front; a code
    // point written there only covers units that have been read already.
    std::size_t piece = inLength < room ? inLength : room;
    if (piece < inLength || !last) {
        shiftScheme scheme;
        if (shiftSchemeOf(codePage_, scheme))
            piece = unshiftedEnd(scheme, in, piece);
        else if (maxCharSize_ == 2)
            piece = doubleByteEnd(codePage_, in, piece);
        else if (maxCharSize_ > 2)
            piece = safeEnd(in, piece);
    }
    wchar_t* units = reinterpret_cast<wchar_t*>(out) + room;
    const int written =
        MultiByteToWideChar(codePage_, 0, in, static_cast<int>(piece), units, static_cast<int>(room));
    if (written <= 0) {
        consumed = piece;  // nothing readable in it
        return 0;
    }
    std::size_t produced = 0;
    for (int i = 0; i < written; ++i) {
        char32_t code = static_cast<char16_t>(units[i]);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < written) {
            const char32_t low = static_cast<char16_t>(units[i + 1]);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        out[produced++] = code;
    }
    consumed = piece;
    return produced;
}

}  // namespace postsift::platform
