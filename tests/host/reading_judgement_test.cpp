// The reading report's judgement on its own: which lines are the writer's,
// and when a written line counts as heard.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "heard_words.h"
#include "line_roles.h"
#include "message_text.h"
#include "raw_markup.h"

using namespace postsift::host;

TEST(ReadingJudgement, ALineIsHeardWhenMostOfItsWordsComeInOrderAndCloseTogether) {
    struct hearing {
        const char* spoken;
        const char* written;
        bool heard;
    };
    std::string far = "The quarterly figures";
    for (int i = 0; i < 60; ++i) far += " zz";
    far += " are in the shared folder.";
    const hearing cases[] = {
        // A link said by its host, case and punctuation aside.
        {"Meet me at: link to example.org, TOMORROW.", "Meet me at http://www.example.org/map?x=1 tomorrow", true},
        // A date said in words keeps enough of the line.
        {"We meet on Tuesday, 14 January 2003 at 10:00 in room five.", "We meet on Tue, 14 Jan 2003 10:00:00 in room five",
         true},
        // Lines joined into a paragraph, a symbol left out.
        {"first part of it, and the second line - goes on here", "and the second line -- goes on here", true},
        // Gone.
        {"Hello there. See you soon.", "The quarterly figures are in the shared folder", false},
        // Every word spoken, but not together.
        {far.c_str(), "The quarterly figures are in the shared folder", false},
        // Together, but out of order: "folder shared the in are".
        {"folder shared the in are figures quarterly the", "The quarterly figures are in the shared folder", false},
        // "café" in UTF-8 against Windows-1252: the letter outside ASCII splits alike.
        {"un caf\xe9 noir et deux croissants", "un caf\xc3\xa9 noir et deux croissants", true},
    };
    for (const hearing& c : cases)
        EXPECT_EQ(heardWords(c.spoken).hears(writtenWords(c.written)), c.heard) << c.written << " in " << c.spoken;
}

TEST(ReadingJudgement, QuotesAttributionsSignaturesAndEarlierMessagesAreNotTheWritersText) {
    using r = lineRole;
    struct part {
        std::vector<std::string> lines;
        std::vector<lineRole> roles;
    };
    const part parts[] = {
        {{"Thanks, that works.", "", "On Monday, 13 January 2003, Zavo Zozu", "<zavo@example.org> wrote:",
          "> Try the blue key.", "Zavo> and the red one", ") or the green", "", "I will try both tomorrow.",
          "Note: the shed is locked", "-- ", "Zavo"},
         {r::text, r::blank, r::attribution, r::attribution, r::quoted, r::quoted, r::quoted, r::blank, r::text,
          r::text, r::signature, r::signature}},
        {{"See below.", "-----Original Message-----", "From: Zavo", "Sent: Monday", "the earlier text"},
         {r::text, r::earlierMessage, r::earlierMessage, r::earlierMessage, r::earlierMessage}},
        // A sender and a subject make a forwarded header, with no mark above it.
        {{"FYI", "From: Zavo", "Subject: keys", "", "the earlier text"},
         {r::text, r::earlierMessage, r::earlierMessage, r::earlierMessage, r::earlierMessage}},
        // Fields without them are quoted, and the text goes on below.
        {{"    Date: Mon, 13 Jan 2003", "    Message-ID: <1@example.org>", "my own answer"},
         {r::fields, r::fields, r::text}},
        // An attribution over text that is not quoted: the earlier message pasted.
        {{"Right.", "Zavo wrote:", "", "the earlier text"}, {r::text, r::attribution, r::blank, r::earlierMessage}},
        {{"-----BEGIN PGP SIGNED MESSAGE-----", "Hash: SHA1", "", "Signed words.", "-----BEGIN PGP SIGNATURE-----",
          "iD8DBQE9", "-----END PGP SIGNATURE-----", "After."},
         {r::armour, r::armour, r::blank, r::text, r::armour, r::armour, r::armour, r::text}},
    };
    for (const part& p : parts) EXPECT_EQ(rolesOfLines(p.lines), p.roles) << p.lines[0];

    std::string_view rest;
    EXPECT_TRUE(isWordColonLine("  PS: bring the slides", rest));
    EXPECT_EQ(rest, " bring the slides");
    EXPECT_FALSE(isWordColonLine("http://example.org", rest));
    EXPECT_FALSE(isWordColonLine("Note:", rest));
}

TEST(ReadingJudgement, TextPartsAreDecodedAndHtmlStandsBesidePlainTextOnlyWhenAlone) {
    EXPECT_EQ(decodeBase64("WmF2\r\nbw=="), "Zavo");
    EXPECT_EQ(decodeQuotedPrintable("caf=E9 au =\r\nlait=3D=\nbon =XY"), "caf\xe9 au lait=bon =XY");

    const messageText alternative = readMessageText(
        "Subject: x\nContent-Type: multipart/alternative; boundary=\"b\"\n\n--b\nContent-Type: text/html\n\n"
        "<p>Hello <b>there</b></p>\n--b\nContent-Type: text/plain\n\nHello there\n--b\nContent-Type: "
        "application/pdf\n\nJVBERi0=\n--b--\n");
    ASSERT_EQ(alternative.parts.size(), 1u);
    EXPECT_FALSE(alternative.parts[0].html);
    EXPECT_EQ(alternative.parts[0].lines, std::vector<std::string>({"Hello there"}));
    EXPECT_EQ(headerValue(alternative.header, "SUBJECT"), "x");

    const messageText html = readMessageText(
        "Content-Type: text/html\n\n<html><head><style>p{x:y}</style></head><body>Fish &amp; chips<br>"
        "<blockquote>old words</blockquote><!-- hidden --></body></html>");
    ASSERT_EQ(html.parts.size(), 1u);
    EXPECT_EQ(html.parts[0].lines, std::vector<std::string>({"Fish & chips", "> old words"}));
}

TEST(ReadingJudgement, MarkupReadOutIsFoundAndWhatLooksLikeItIsNot) {
    const rawMarkup found = findRawMarkup(
        "See http://a.org/x and www.b.org, not ana-www.c.org nor me@www.d.org. <g> <br> </FONT> <a href=\"x\">\n"
        "<zavo@example.org> <http://e.org> &amp; &#8220; &#x201C; AT&T; & so; =?utf-8?Q?caf=C3=A9?= =?x y?=");
    EXPECT_EQ(found.links, std::vector<std::string>({"http://a.org/x", "www.b.org,", "http://e.org"}));
    EXPECT_EQ(found.tags, std::vector<std::string>({"<br>", "</FONT>", "<a href=\"x\">"}));
    EXPECT_EQ(found.entities, std::vector<std::string>({"&amp;", "&#8220;", "&#x201C;"}));
    EXPECT_EQ(found.encodedWords, std::vector<std::string>({"=?utf-8?Q?caf=C3=A9?="}));
    EXPECT_EQ(withoutTags("a<b>b</b> <g> c"), "a b  <g> c");
}
