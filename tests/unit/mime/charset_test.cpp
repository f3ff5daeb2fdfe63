// From a character set to Windows-1252: the stand-ins, the fallbacks and
// the system's converters.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "mime/character_writer.h"
#include "mime/charset_reading.h"
#include "mime/utf8.h"
#include "mime/windows1252.h"
#include "mime_test_support.h"
#include "platform/shift_state.h"

using namespace postsift::mime;

namespace {

std::string read(const char* charset, const std::string& bytes) {
    textBuffer out;
    characterWriter writer(out, characterWriter::target::body);
    const std::string name = charset;
    readText(chooseReading(spanOf(name), spanOf(bytes)), spanOf(bytes), writer);
    return textOf(out);
}

std::string written(std::initializer_list<char32_t> characters) {
    textBuffer out;
    characterWriter writer(out, characterWriter::target::body);
    for (char32_t c : characters) writer.put(c);
    return textOf(out);
}

}  // namespace

TEST(Windows1252, EveryCharacterItHasComesBackAsItsByte) {
    for (int byte = 0x20; byte < 0x100; ++byte) {
        if (byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) continue;
        textBuffer out;
        putWindows1252(out, windows1252Character(static_cast<unsigned char>(byte)));
        EXPECT_EQ(textOf(out), std::string(1, static_cast<char>(byte))) << byte;
    }
}

TEST(Windows1252, NoCharacterIsEverAQuestionMarkOrAControl) {
    // Every code point: what has no form is left out, never a '?' a voice
    // would read; nothing but a line end or a tab comes out below a blank.
    // Only question marks themselves ("??" for U+2047) give one.
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c == '?' || (c >= 0x2047 && c <= 0x2049) || c == 0xFF1F || (c >= 0xD800 && c <= 0xDFFF)) continue;
        textBuffer out;
        characterWriter writer(out, characterWriter::target::body);
        writer.put(c);
        for (const char byte : textOf(out)) {
            ASSERT_NE(byte, '?') << std::hex << c;
            ASSERT_TRUE(static_cast<unsigned char>(byte) >= ' ' || byte == '\n' || byte == '\t') << std::hex << c;
        }
    }
}

TEST(Windows1252, ClosestFormsAndWhatIsLeftOut) {
    EXPECT_EQ(written({0x141, 'o', 0x301, 'd', 0x17A}), "L\xf3" "dz");  // "Łódź" written decomposed
    EXPECT_EQ(written({'e', 0x301, 'u', 0x308, 'x', 0x301}), "\xe9\xfcx");
    EXPECT_EQ(written({'1', '0', 0x202F, 'h', 0x2014, 0xFB01, 0x2212, '1'}), "10 h\x97" "fi-1");
    EXPECT_EQ(written({'a', 0x1F600, 0x200D, 0xFE0F, 0x4E2D, 0x0416, 0xFFFD, 'b'}), "ab");
    EXPECT_EQ(written({0xFF21, 0x1EC7, 0x01B0}), "Aeu");
    EXPECT_EQ(written({'a', '\r', '\n', 'b', '\r', 'c', 0, 0x07, 0x85, 'd'}), "a\nb\ncd");
}

TEST(Charsets, RunsOfPlainBytesReadAsCharacterByCharacter) {
    // Printable bytes go through as runs; what comes out must be what the
    // writer makes of each character alone, CR LF pairs, controls and
    // malformed UTF-8 included, in body text and header values.
    std::mt19937 random(20261209);
    const char pieces[] = {'a', 'Z', ' ', '\r', '\n', '\t', '\0', '\x7f', '\x80', '\x81', '\x9f', '\xa0', '\xe9',
                           '\xc3', '\xa9', '\xe2', '\x82', '\xac', '\xf0', '\x9f', '\x98', '\x80', '\xff'};
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        for (int i = static_cast<int>(random() % 40); i > 0; --i) bytes += pieces[random() % sizeof pieces];
        for (const auto where : {characterWriter::target::body, characterWriter::target::headerValue}) {
            for (const char* charset : {"windows-1252", "utf-8"}) {
                textBuffer fast;
                characterWriter runs(fast, where);
                const std::string name = charset;
                readText(chooseReading(spanOf(name), spanOf(bytes)), spanOf(bytes), runs);

                textBuffer slow;
                characterWriter single(slow, where);
                const char* at = bytes.data();
                const char* end = at + bytes.size();
                while (at < end) {
                    const char* start = at;
                    char32_t c;
                    if (name == "utf-8" && readUtf8(at, end, c)) {
                        single.put(c);
                    } else {
                        at = start + 1;
                        single.put(windows1252Character(static_cast<unsigned char>(*start)));
                    }
                }
                ASSERT_EQ(textOf(fast), textOf(slow)) << charset << " " << testing::PrintToString(bytes);
            }
        }
    }
}

TEST(Charsets, UndeclaredTextIsUtf8OnlyWhenItIsUtf8) {
    EXPECT_EQ(read("", "caf\xc3\xa9"), "caf\xe9");
    EXPECT_EQ(read("us-ascii", "caf\xc3\xa9"), "caf\xe9");
    EXPECT_EQ(read("", "caf\xe9 \xc3\xa9"), "caf\xe9 \xc3\xa9");
    // Declared UTF-8 that is not: its stray bytes read as Windows-1252.
    EXPECT_EQ(read("UTF-8", "caf\xe9 \xc3\xa9 \x80"), "caf\xe9 \xe9 \x80");
    EXPECT_EQ(read("ISO-8859-1", "\xe9\x80"), "\xe9\x80");
}

TEST(Charsets, TheSystemsConvertersAndThoseItLacks) {
    EXPECT_EQ(read("iso-8859-15", "\xa4 c\xbdur"), "\x80 c\x9cur");
    EXPECT_EQ(read("ISO-8859-2", "\xb3\xf3" "d\xbc"), "l\xf3" "dz");
    EXPECT_EQ(read("windows-1250", "\x9a\x9e"), "\x9a\x9e");
    EXPECT_EQ(read("koi8-r", "\xf0\xd2\xc9\xd7\xc5\xd4, Ivan"), ", Ivan");
    EXPECT_EQ(read("x-no-such-charset", "caf\xe9"), "caf\xe9");
    EXPECT_EQ(read(std::string(10000, 'a').c_str(), "caf\xe9"), "caf\xe9");
}

TEST(Charsets, ALongTextGoesThroughTheSystemInPiecesWithoutLosingACharacter) {
    // Two-byte Shift_JIS characters (left out) between ASCII words, over
    // many of the converter's pieces, and a line of them with no break.
    std::string bytes;
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        bytes += "w" + std::to_string(i) + "\x83\x41";
        expected += "w" + std::to_string(i);
        if (i % 500 == 499) {
            bytes += "\n";
            expected += "\n";
        }
    }
    EXPECT_EQ(read("shift_jis", bytes), expected);
}

TEST(Charsets, ALongUtf7LineIsNotCutInsideABase64Run) {
    // The converter's first piece would end inside "+AOkA6QDp-" (three e
    // acute): a converter without state between pieces must not cut there.
    const std::string bytes = std::string(2040, 'a') + "+AOkA6QDp-z";
    EXPECT_EQ(read("utf-7", bytes), std::string(2040, 'a') + "\xe9\xe9\xe9z");
}

TEST(Charsets, APieceOfAShiftingCharsetEndsUnshifted) {
    using postsift::platform::shiftScheme;
    using postsift::platform::unshiftedEnd;
    struct cut {
        shiftScheme scheme;
        std::string piece;
        std::size_t end;
    };
    const cut cuts[] = {
        {shiftScheme::utf7, "ab+AOk-cd", 9},
        {shiftScheme::utf7, "ab+AOkA6", 2},
        {shiftScheme::utf7, "a+-x", 4},
        {shiftScheme::utf7, "a+", 1},             // '+' alone: a run or a plus sign, not known yet
        {shiftScheme::utf7, "+AOkA6QDp", 9},      // no unshifted place: the whole piece
        {shiftScheme::utf7, "x+AO\nk+AOk", 5},   // after the line feed
        {shiftScheme::iso2022, "ab\x1b$B$\"$$\x1b(Bcd", 14},
        {shiftScheme::iso2022, "ab\x1b$B$\"$$\x1b", 2},
        {shiftScheme::iso2022, "\x1b$)Cab\x0e!!\x0f" "c", 11},
        {shiftScheme::iso2022, "\x1b$)Cab\x0e!!", 6},
        {shiftScheme::iso2022, "a\x1b(Ixy", 1},
        {shiftScheme::hz, "ab~{<:~}cd", 10},
        {shiftScheme::hz, "ab~{<:~", 2},
        {shiftScheme::hz, "a~~b", 4},
        {shiftScheme::hz, "~{!~~}x", 7},          // "!~" is a pair: the '~' in it shifts nothing
    };
    for (const cut& c : cuts) EXPECT_EQ(unshiftedEnd(c.scheme, c.piece.data(), c.piece.size()), c.end) << c.piece;
}

namespace {

// The body that the stage hands on for a text part in that charset.
std::string stageBody(const char* charset, const std::string& body) {
    const stageRun run = runStage(std::string("Content-Type: text/plain; charset=") + charset + "\n\n" + body);
    return run.text.substr(run.text.find("\n\n") + 2);
}

// One East Asian sample: the same expected bytes on every platform, since
// every East Asian character is left out whichever side converts it. The
// full-width letter A, which becomes 'A', shows that a converter read the
// text; where a platform may lack the converter (wine has no ISO-2022-JP,
// HZ or GB18030, glibc no HZ) the samples hold none, and the ASCII around
// the left-out text is all that is read, the same either way.
struct sample {
    const char* charset;
    std::string bytes;
    std::string expected;
};

// A lead byte cut off by a blank, a byte that begins no character, a lead
// byte cut off by the end of the text.
std::string brokenTail(const std::string& lead, const std::string& word) {
    return "cut " + lead + " end\nbad\xff" + word + "ok\ntail" + lead;
}
const char brokenTailRead[] = "cut  end\nbadok\ntail";

}  // namespace

TEST(EastAsianCharsets, TheAsciiStaysEastAsianTextAndBrokenSequencesAreLeftOut) {
    const std::string korean = "\xc7\xd1\xb1\xb9\xbe\xee";            // three syllables
    const std::string chineseGbk = "\xd6\xd0\xce\xc4";
    const std::string japaneseGbk = "\xc8\xd5\xb1\xbe\xd5\x5a";         // its last byte is a 'Z'
    const std::string chineseBig5 = "\xa4\xa4\xa4\xe5";
    const std::string japaneseBig5 = "\xa4\xe9\xa5\xbb\xbb\x79";        // ... a 'y'
    const std::string japaneseSjis = "\x93\xfa\x96\x7b\x8c\xea";        // ... a '{'
    const std::string japaneseEuc = "\xc6\xfc\xcb\xdc\xb8\xec";
    const sample samples[] = {
        {"ks_c_5601-1987", "Seoul " + korean + " x\xa3\xc1y\n" + brokenTail("\xc7", korean),
         std::string("Seoul  xAy\n") + brokenTailRead},
        {"EUC-KR", "Seoul " + korean + " x\xa3\xc1y\n" + brokenTail("\xb1", korean),
         std::string("Seoul  xAy\n") + brokenTailRead},
        // GB2312 is read as GBK, as Windows reads it: a GBK character in it
        // is a character, not a lead byte and an '@'.
        {"gb2312", "Beijing " + chineseGbk + " x\xa3\xc1y " + japaneseGbk + "! gbk\x81\x40only\n" +
                       brokenTail("\xd6", chineseGbk),
         std::string("Beijing  xAy ! gbkonly\n") + brokenTailRead},
        {"GBK", "Beijing " + japaneseGbk + "\n" + brokenTail("\xce", chineseGbk),
         std::string("Beijing \n") + brokenTailRead},
        {"big5", "Taipei " + chineseBig5 + " x\xa2\xcfy " + japaneseBig5 + "!\n" + brokenTail("\xa4", chineseBig5),
         std::string("Taipei  xAy !\n") + brokenTailRead},
        // A half-width katakana is one byte: the blank after it stays.
        {"Shift_JIS", "Tokyo " + japaneseSjis + " x\x82\x60y kana\xb1 ok\n" + brokenTail("\x93", japaneseSjis),
         std::string("Tokyo  xAy kana ok\n") + brokenTailRead},
        {"euc-jp", "Osaka " + japaneseEuc + " x\xa3\xc1y kana\x8e\xb1 ok\n" + brokenTail("\xc6", japaneseEuc),
         std::string("Osaka  xAy kana ok\n") + brokenTailRead},
        // Converted on Linux, read without a converter under wine.
        {"gb18030", "Canton " + chineseGbk + " \x83\x36\x84\x33 ok\ntail\x81\x30",
         "Canton   ok\ntail"},
        // The shifted run holds a '|' and a '\': bytes of JIS pairs, not text.
        {"iso-2022-jp",
         "Kyoto \x1b$BF|K\\8l\x1b(B ok\nkana \x1b(I12\x1b(B ok\nstray\x1b" "x ok\nhigh\xe9 ok\nopen \x1b$BF|K\\",
         "Kyoto  ok\nkana  ok\nstrayx ok\nhigh ok\nopen "},
        {"iso-2022-jp", "end\x1b$", "end"},
        {"iso-2022-kr", "\x1b$)C" "Seoul \x0e" "GQ19>n\x0f ok\n", "Seoul  ok\n"},
        // An odd byte in a run that is not closed: the line's end ends it.
        {"hz-gb-2312", "Shanghai ~{VPND~} ok ~~ tilde\ncon~\ntinued a~xb\nodd ~{VPN\r\nok\nopen ~{VP",
         "Shanghai  ok ~ tilde\ncontinued axb\nodd \nok\nopen "},
        // Names only one side knows: iconv reads these, Windows reads what
        // their family leaves as ASCII. The same text either way.
        {"iso-2022-jp-3", "Nara \x1b$BF|K\\8l\x1b(B ok", "Nara  ok"},
        {"x-euc-tw", "Tainan \xc4\xa1\xc4\xa2 ok", "Tainan  ok"},
    };
    for (const sample& s : samples) {
        const std::string read = stageBody(s.charset, s.bytes);
        EXPECT_EQ(read, s.expected) << s.charset;
        EXPECT_EQ(read.find('?'), std::string::npos) << s.charset;
    }
}

TEST(EastAsianCharsets, AnUnknownNameIsWindows1252UnlessItNamesAnEastAsianFamily) {
    EXPECT_EQ(stageBody("x-unknown-8bit", "caf\xe9"), "caf\xe9");
    EXPECT_EQ(stageBody("big5-x-custom", "Taipei \xa4\xa4\xa4\xe5 ok"), "Taipei  ok");
    EXPECT_EQ(stageBody("iso-2022-x-custom", "Kyoto \x1b$BF|\x1b(B ok"), "Kyoto  ok");
}

TEST(EastAsianCharsets, LongRandomTextsKeepExactlyTheirAsciiWords) {
    // Words, East Asian characters, cut and invalid sequences and line ends
    // in random order, over many of the converters' pieces: what is read is
    // the words, their blanks and line ends, and nothing else.
    struct mix {
        const char* charset;
        std::vector<std::string> leftOut;  // characters and broken sequences, each alone between blanks
    };
    const mix mixes[] = {
        {"ks_c_5601-1987", {"\xc7\xd1", "\xb1\xb9", "\x81\x41", "\xc7", "\xff"}},
        {"gb2312", {"\xd6\xd0", "\xd5\x5a", "\x81\x40", "\xd6", "\xff"}},
        {"big5", {"\xa4\xa4", "\xbb\x79", "\xa4", "\xff"}},
        {"shift_jis", {"\x93\xfa", "\x96\x7b", "\xb1", "\x93", "\xff"}},
        {"euc-jp", {"\xc6\xfc", "\x8e\xb1", "\xc6", "\xff"}},
        {"iso-2022-jp", {"\x1b$BF|K\\\x1b(B", "\x1b(I1\x1b(B", "\x1b", "\xe9"}},
        {"hz-gb-2312", {"~{VPND~}", "~{<:~}"}},
    };
    std::mt19937 random(2003);
    for (const mix& m : mixes) {
        std::string bytes;
        std::string expected;
        for (int i = 0; i < 4000; ++i) {
            const unsigned pick = random() % (m.leftOut.size() + 3);
            if (pick < m.leftOut.size()) {
                bytes += m.leftOut[pick];
            } else {
                const std::string word = pick == m.leftOut.size() ? "\n" : "w" + std::to_string(random() % 1000);
                bytes += word;
                expected += word;
            }
            bytes += ' ';
            expected += ' ';
        }
        EXPECT_EQ(stageBody(m.charset, bytes), expected) << m.charset;
    }
}
