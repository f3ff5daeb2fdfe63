// Encoded words, raw UTF-8 and parameters in header fields: the malformed
// and split cases that the e2e messages do not hold.
#include <gtest/gtest.h>

#include "mime/attachment_line.h"
#include "mime/encoded_words.h"
#include "mime/header_parameters.h"
#include "mime/part_header.h"
#include "mime_test_support.h"

using namespace postsift::mime;

namespace {

std::string decoded(const std::string& value) {
    textBuffer out;
    decodeHeaderValue(spanOf(value), out);
    return textOf(out);
}

bool needsDecoding(const std::string& value) { return headerValueNeedsDecoding(spanOf(value)); }

std::string parameter(const std::string& value, const char* name) {
    textBuffer out;
    if (!readableParameter(spanOf(value), name, out)) return "<none>";
    return textOf(out);
}

}  // namespace

TEST(EncodedWords, BlanksBetweenNeighboursGoAndOtherBlanksStay) {
    EXPECT_EQ(decoded(" =?utf-8?q?a?= =?UTF-8?Q?b?=\r\n\t=?utf-8?b?Yw==?= d =?utf-8?q?e_f?= g"), " abc d e f g");
    // A fold elsewhere is one blank, as the scanner makes of it.
    EXPECT_EQ(decoded("long\n    subject"), "long subject");
}

TEST(EncodedWords, MalformedWordsStayAsTheyAre) {
    for (const char* malformed : {"=?utf-8?x?abc?=", "=?utf-8?q?a b?=", "=?utf-8?q?=ZZ?=", "=?utf-8?q?=4?=", "=??q?a?=",
                                  "=?utf-8?b?QU!J?=", "=?utf-8?q?abc", "=?*fr?q?a?=", "=?utf-8?q?a?b?="}) {
        EXPECT_FALSE(needsDecoding(malformed)) << malformed;
        EXPECT_EQ(decoded(malformed), malformed);
    }
    // A good word after a bad one is still decoded, and the blank between
    // them stays: only neighbouring encoded words lose it.
    EXPECT_EQ(decoded("=?utf-8?q?=ZZ?= =?utf-8?q?ok?="), "=?utf-8?q?=ZZ?= ok");
}

TEST(EncodedWords, ACharacterSplitOverTwoWordsSurvives) {
    EXPECT_EQ(decoded("=?utf-8?q?=C3?= =?utf-8?q?=A9t=C3=A9?="), "\xe9t\xe9");
    EXPECT_EQ(decoded("=?utf-8?b?w6nDqQ==?=\n =?utf-8?b?w6k=?="), "\xe9\xe9\xe9");
    // The charset's name is the same one whatever its case.
    EXPECT_EQ(decoded("=?UTF-8?q?=C3?= =?utf-8?Q?=A9?="), "\xe9");
    // Neighbours in different charsets are read each in its own.
    EXPECT_EQ(decoded("=?iso-8859-1?q?=E9?==?utf-8?q?=C3=A9?="), "\xe9\xe9");
}

TEST(EncodedWords, NoDecodedByteCanEndTheLine) {
    EXPECT_EQ(decoded("=?utf-8?q?a=0D=0Ab=00c=09d=E2=80=A8e?="), "a bc d e");
}

TEST(EncodedWords, LanguageAndUnknownOrAbsurdCharsets) {
    EXPECT_EQ(decoded("=?utf-8*fr?q?caf=C3=A9?="), "caf\xe9");
    EXPECT_EQ(decoded("=?x-no-such-charset?q?caf=E9?="), "caf\xe9");
    const std::string longName = "=?" + std::string(10000, 'a') + "?q?caf=E9?=";
    EXPECT_EQ(decoded(longName), "caf\xe9");
    EXPECT_EQ(decoded("=?../../etc/passwd?q?x?="), "x");
}

TEST(HeaderValues, RawBytesAreUtf8WhenTheyAreUtf8AndWindows1252Otherwise) {
    EXPECT_TRUE(needsDecoding("Caf\xc3\xa9"));
    EXPECT_EQ(decoded("Caf\xc3\xa9 \xe2\x80\x94 ok"), "Caf\xe9 \x97 ok");
    EXPECT_FALSE(needsDecoding("Caf\xe9"));
    EXPECT_FALSE(needsDecoding("plain ascii, =? alone ?="));
    // A byte that Windows-1252 lacks: some other set, of which only the
    // ASCII is read; a lead byte takes its partner along, even an ASCII one
    // ("\x81\x75" is one Shift_JIS bracket, not a bracket and a "u").
    EXPECT_TRUE(needsDecoding("Meeting \x81\x75Q3\x81\x76 agenda"));
    EXPECT_EQ(decoded("Meeting \x81\x75Q3\x81\x76 agenda"), "Meeting Q3 agenda");
    EXPECT_EQ(decoded("=?utf-8?q?caf=C3=A9?= \x90\xe9\xe9\xe9 ok"), "caf\xe9  ok");
}

TEST(Parameters, FileNamesAsMailProgramsWriteThem) {
    EXPECT_EQ(parameter("attachment; filename*=utf-8''%C3%A9t%C3%A9%20bis.pdf", "filename"), "\xe9t\xe9 bis.pdf");
    EXPECT_EQ(parameter("attachment; filename*0*=utf-8''%C3%A9; filename*1*=t%C3%A9;\n filename*2=\".pdf\"",
                        "filename"),
              "\xe9t\xe9.pdf");
    // Sections out of order end the name where the order breaks.
    EXPECT_EQ(parameter("a; filename*0=ab; filename*2=ef; filename*1=cd", "filename"), "abcd");
    EXPECT_EQ(parameter("attachment; filename=\"a \\\"b\\\"; c.pdf\"; size=3", "filename"), "a \"b\"; c.pdf");
    EXPECT_EQ(parameter("attachment; filename=\"=?utf-8?q?caf=C3=A9?=.txt\"", "filename"), "caf\xe9.txt");
    EXPECT_EQ(parameter("attachment; FILENAME=plain.txt", "filename"), "plain.txt");
    EXPECT_EQ(parameter("attachment; filenames=x", "filename"), "<none>");
    EXPECT_EQ(parameter("attachment; filename=\"never closed", "filename"), "never closed");
}

TEST(Parameters, TheNameOfAnAttachmentWithoutItsFolders) {
    const std::string named = "Content-Type: application/pdf; name=\"C:\\\\Docs\\\\x.pdf\"\n";
    textBuffer name;
    ASSERT_TRUE(attachmentName(readPartHeader(spanOf(named), false), name));
    EXPECT_EQ(textOf(name), "x.pdf");
    const std::string unnamed = "Content-Type: image/png\n";
    textBuffer none;
    EXPECT_FALSE(attachmentName(readPartHeader(spanOf(unnamed), false), none));
}
