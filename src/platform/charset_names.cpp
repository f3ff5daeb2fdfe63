// Portable: plain data that both converters read, and its look-up.
#include "platform/charset_names.h"

namespace postsift::platform {
namespace {

constexpr charsetForm single = charsetForm::singleByte;
constexpr charsetForm multi = charsetForm::multiByte;

// Where Windows reads a name as a wider code page than the name says (GB2312
// as GBK, EUC-KR and KS C 5601 as the Unified Hangul Code, Shift_JIS with
// its vendor rows, TIS-620 as Windows-874), iconv is given that same wider
// set, so that the two read the same characters out of the same bytes.
// ISO-2022-JP goes to iconv as ISO-2022-JP-2, which also reads the
// half-width katakana and JIS X 0212 runs that Windows accepts.
const charsetName table[] = {
    // Western, Central and Eastern European, Baltic, Cyrillic, Greek,
    // Turkish, Hebrew, Arabic, Vietnamese, Thai.
    {"iso-8859-2", "ISO-8859-2", 28592, single},
    {"iso-8859-3", "ISO-8859-3", 28593, single},
    {"iso-8859-4", "ISO-8859-4", 28594, single},
    {"iso-8859-5", "ISO-8859-5", 28595, single},
    {"iso-8859-6", "ISO-8859-6", 28596, single},
    {"iso-8859-7", "ISO-8859-7", 28597, single},
    {"iso-8859-8", "ISO-8859-8", 28598, single},
    {"iso-8859-8-i", "ISO-8859-8", 38598, single},
    {"iso-8859-9", "ISO-8859-9", 28599, single},
    {"iso-8859-13", "ISO-8859-13", 28603, single},
    {"iso-8859-15", "ISO-8859-15", 28605, single},
    {"latin2", "ISO-8859-2", 28592, single},
    {"latin-9", "ISO-8859-15", 28605, single},
    {"latin9", "ISO-8859-15", 28605, single},
    {"windows-1250", "CP1250", 1250, single},
    {"windows-1251", "CP1251", 1251, single},
    {"windows-1253", "CP1253", 1253, single},
    {"windows-1254", "CP1254", 1254, single},
    {"windows-1255", "CP1255", 1255, single},
    {"windows-1256", "CP1256", 1256, single},
    {"windows-1257", "CP1257", 1257, single},
    {"windows-1258", "CP1258", 1258, single},
    {"cp1250", "CP1250", 1250, single},
    {"cp1251", "CP1251", 1251, single},
    {"cp1253", "CP1253", 1253, single},
    {"cp1254", "CP1254", 1254, single},
    {"cp1255", "CP1255", 1255, single},
    {"cp1256", "CP1256", 1256, single},
    {"cp1257", "CP1257", 1257, single},
    {"cp1258", "CP1258", 1258, single},
    {"windows-874", "CP874", 874, single},
    {"tis-620", "CP874", 874, single},
    {"koi8-r", "KOI8-R", 20866, single},
    {"koi8-u", "KOI8-U", 21866, single},
    {"ibm866", "IBM866", 866, single},
    {"cp866", "IBM866", 866, single},
    {"ibm850", "IBM850", 850, single},
    {"cp850", "IBM850", 850, single},
    {"ibm437", "IBM437", 437, single},
    {"cp437", "IBM437", 437, single},
    {"macintosh", "MACINTOSH", 10000, single},
    {"x-mac-roman", "MACINTOSH", 10000, single},
    {"utf-7", "UTF-7", 65000, charsetForm::utf7},

    // Japanese.
    {"shift_jis", "CP932", 932, multi},
    {"shift-jis", "CP932", 932, multi},
    {"sjis", "CP932", 932, multi},
    {"x-sjis", "CP932", 932, multi},
    {"ms_kanji", "CP932", 932, multi},
    {"csshiftjis", "CP932", 932, multi},
    {"windows-31j", "CP932", 932, multi},
    {"cp932", "CP932", 932, multi},
    {"euc-jp", "EUC-JP", 20932, multi},
    {"x-euc-jp", "EUC-JP", 20932, multi},
    {"iso-2022-jp", "ISO-2022-JP-2", 50220, charsetForm::iso2022},
    {"csiso2022jp", "ISO-2022-JP-2", 50220, charsetForm::iso2022},
    {"iso-2022-jp-2", "ISO-2022-JP-2", 50220, charsetForm::iso2022},

    // Chinese.
    {"gb2312", "CP936", 936, multi},
    {"csgb2312", "CP936", 936, multi},
    {"gb_2312-80", "CP936", 936, multi},
    {"euc-cn", "CP936", 936, multi},
    {"x-euc-cn", "CP936", 936, multi},
    {"gbk", "CP936", 936, multi},
    {"x-gbk", "CP936", 936, multi},
    {"cp936", "CP936", 936, multi},
    {"windows-936", "CP936", 936, multi},
    {"gb18030", "GB18030", 54936, multi},
    {"big5", "CP950", 950, multi},
    {"csbig5", "CP950", 950, multi},
    {"x-x-big5", "CP950", 950, multi},
    {"cp950", "CP950", 950, multi},
    {"big5-hkscs", "BIG5-HKSCS", 950, multi},
    {"euc-tw", "EUC-TW", 0, multi},
    {"hz-gb-2312", nullptr, 52936, charsetForm::hz},
    {"iso-2022-cn", "ISO-2022-CN", 50227, charsetForm::iso2022},

    // Korean.
    {"ks_c_5601-1987", "CP949", 949, multi},
    {"ks_c_5601-1989", "CP949", 949, multi},
    {"ks_c_5601", "CP949", 949, multi},
    {"ksc_5601", "CP949", 949, multi},
    {"ksc5601", "CP949", 949, multi},
    {"euc-kr", "CP949", 949, multi},
    {"cseuckr", "CP949", 949, multi},
    {"cp949", "CP949", 949, multi},
    {"windows-949", "CP949", 949, multi},
    {"x-windows-949", "CP949", 949, multi},
    {"uhc", "CP949", 949, multi},
    {"johab", "JOHAB", 1361, multi},
    {"iso-2022-kr", "ISO-2022-KR", 50225, charsetForm::iso2022},
    {"csiso2022kr", "ISO-2022-KR", 50225, charsetForm::iso2022},
};

bool sameName(const char* lower, const char* name, std::size_t length) {
    std::size_t i = 0;
    for (; i < length; ++i) {
        char c = name[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (lower[i] == '\0' || c != lower[i]) return false;
    }
    return lower[i] == '\0';
}

}  // namespace

const charsetName* findCharsetName(const char* name, std::size_t length) {
    if (name == nullptr) return nullptr;
    for (const charsetName& entry : table)
        if (sameName(entry.name, name, length)) return &entry;
    return nullptr;
}

}  // namespace postsift::platform
