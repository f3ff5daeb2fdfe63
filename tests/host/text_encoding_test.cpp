#include <gtest/gtest.h>

#include "text_encoding.h"

using namespace postsift::host;

TEST(TextEncoding, Utf8ValidityRejectsEveryMalformedForm) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain ASCII\r\n"));
    EXPECT_TRUE(isValidUtf8("\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\xf4\x8f\xbf\xbf"));  // é € 😀 U+10FFFF
    EXPECT_FALSE(isValidUtf8("caf\xe9"));                                            // Windows-1252 é
    EXPECT_FALSE(isValidUtf8("\xc0\xaf"));                                            // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xe0\x80\xaf"));                                        // overlong, three bytes
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));                                        // a surrogate
    EXPECT_FALSE(isValidUtf8("\xf4\x90\x80\x80"));                                    // beyond U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xe2\x82"));                                            // cut short at the end
    EXPECT_FALSE(isValidUtf8("\xe2\x82z"));                                           // cut short inside
    EXPECT_FALSE(isValidUtf8("\x80"));                                                // a lone continuation
}

TEST(TextEncoding, CharactersThatWindows1252HasBecomeItsBytes) {
    EXPECT_EQ(utf8ToWindows1252("\xc3\xa9t\xc3\xa9 \xc3\xa0 \xc3\x9f \xc3\xbf"), "\xe9t\xe9 \xe0 \xdf \xff");
    // The characters of 0x80 to 0x9F: euro, quotes, dashes, Œ, Š, Ÿ, trade mark.
    EXPECT_EQ(utf8ToWindows1252("\xe2\x82\xac \xe2\x80\x9e\xe2\x80\x9c\xe2\x80\x9d\xe2\x80\x98\xe2\x80\x99 "
                                "\xe2\x80\x93\xe2\x80\x94 \xc5\x92\xc5\xa0\xc5\xb8\xe2\x84\xa2"),
              "\x80 \x84\x93\x94\x91\x92 \x96\x97 \x8c\x8a\x9f\x99");
}

TEST(TextEncoding, CharactersThatWindows1252LacksBecomeReadableStandIns) {
    // Narrow no-break space, non-breaking hyphen, minus sign.
    EXPECT_EQ(utf8ToWindows1252("Bonjour\xe2\x80\xaf! a\xe2\x80\x91z 3\xe2\x88\x92" "1"), "Bonjour ! a-z 3-1");
    // Letters of other Latin alphabets lose their accent; ligatures are spelled out.
    EXPECT_EQ(utf8ToWindows1252("\xc5\x81\xc3\xb3\x64\xc5\xba \xc8\x98tef\xc4\x83n \xef\xac\x81n"), "L\xf3" "dz Stefan fin");
    // Zero-width characters and the byte order mark say nothing.
    EXPECT_EQ(utf8ToWindows1252("\xef\xbb\xbfzero\xe2\x80\x8bwidth"), "zerowidth");
    // Full-width forms are their ASCII letters.
    EXPECT_EQ(utf8ToWindows1252("\xef\xbc\xa1\xef\xbd\x82"), "Ab");
    // No stand-in at all: a question mark per character, not per byte.
    EXPECT_EQ(utf8ToWindows1252("a\xf0\x9f\x98\x80\xe4\xb8\xad" "b"), "a??b");
    // Bytes that are not UTF-8 (when UTF-8 is forced) are one "?" each.
    EXPECT_EQ(utf8ToWindows1252("caf\xe9 \xe2\x82"), "caf? ??");
}

TEST(TextEncoding, ACombiningAccentJoinsTheLetterBeforeIt) {
    // "é" and "ü" written as letter + combining accent, as some systems send them.
    EXPECT_EQ(utf8ToWindows1252("e\xcc\x81t\xc3\xa9 u\xcc\x88" "ber \xc3\xa7" "a c\xcc\xa7" "a"),
              "\xe9t\xe9 \xfc" "ber \xe7" "a \xe7" "a");
    EXPECT_EQ(utf8ToWindows1252("S\xcc\x8c Y\xcc\x88"), "\x8a \x9f");
    // An accent with nothing to join, or on a letter without such a form, is left out.
    EXPECT_EQ(utf8ToWindows1252("\xcc\x81x q\xcc\x81"), "x q");
}

TEST(TextEncoding, Windows1252ToUtf8IsLosslessForEveryByte) {
    EXPECT_EQ(windows1252ToUtf8("caf\xe9 \x80 \x9c"), "caf\xc3\xa9 \xe2\x82\xac \xc5\x93");
    // The five bytes that Windows-1252 leaves undefined stay themselves.
    EXPECT_EQ(windows1252ToUtf8("\x81\x9d"), "\xc2\x81\xc2\x9d");
    std::string every;
    for (int byte = 1; byte < 256; ++byte) every += static_cast<char>(byte);
    const std::string utf8 = windows1252ToUtf8(every);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(utf8ToWindows1252(utf8), every);
}

TEST(TextEncoding, AutomaticChoiceFollowsTheValidityOfTheWholeText) {
    EXPECT_EQ(toPluginText("caf\xc3\xa9", inputEncoding::automatic), "caf\xe9");
    // One Windows-1252 byte makes the whole text Windows-1252, even bytes that look like UTF-8.
    EXPECT_EQ(toPluginText("caf\xc3\xa9 \xe9", inputEncoding::automatic), "caf\xc3\xa9 \xe9");
    EXPECT_EQ(toPluginText("caf\xc3\xa9", inputEncoding::windows1252), "caf\xc3\xa9");
    EXPECT_EQ(toPluginText("caf\xe9", inputEncoding::utf8), "caf?");
}
