#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "email/email_scanner.h"
#include "email_grammar.hpp"
#include "email_test_support.h"

using namespace postsift;
using emailtest::scan;
using tokens = std::vector<std::string>;

TEST(EmailScanner, EmptyTextEndsAtOnceAndKeepsEnding) {
    EXPECT_EQ(scan(""), (tokens{"END INITIAL"}));
    EXPECT_EQ(nextEmailToken(), 0);
    EXPECT_EQ(nextEmailToken(), 0);
}

TEST(EmailScanner, KeywordsAtLineStart) {
    // Cut off without a line end: LEXX_EOF ends the item, then the input.
    EXPECT_EQ(scan("Subject: Hi"), (tokens{"KEYWORD 'Subject:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION",
                                           "LEX_WORD 'Hi' HEADER_SECTION", "LEXX_EOF INITIAL", "END INITIAL"}));
    EXPECT_EQ(nextEmailToken(), 0);

    // In the leading header any word ending in a colon at line start; the
    // next line is still the header's.
    EXPECT_EQ(scan("Re: hello\n"),
              (tokens{"KEYWORD 'Re:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'hello' HEADER_SECTION",
                      "NEWLINE LEADING_HEADER", "END INITIAL"}));
    // In the body, leading blanks included, in a block of field lines; a
    // field's name alone on a line of text is text.
    EXPECT_EQ(scan("hi\n  Subject: x\nTo: y\n"),
              (tokens{"LEX_WORD 'hi' INITIAL", "CRLF '\n' INITIAL", "KEYWORD '  Subject:' HEADER_SECTION",
                      "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'x' HEADER_SECTION", "NEWLINE INITIAL",
                      "KEYWORD 'To:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'y' HEADER_SECTION",
                      "NEWLINE INITIAL", "END INITIAL"}));
    EXPECT_EQ(scan("hi\n  Subject: x\nhi\n"),
              (tokens{"LEX_WORD 'hi' INITIAL", "CRLF '\n' INITIAL", "LEX_WORD '  ' INITIAL", "LEX_WORD 'Subject:' INITIAL",
                      "LEX_WORD ' ' INITIAL", "LEX_WORD 'x' INITIAL", "CRLF '\n' INITIAL", "LEX_WORD 'hi' INITIAL",
                      "CRLF '\n' INITIAL", "END INITIAL"}));

    // In the body a colon followed by a word character makes one longer
    // word; in the leading header it is a field all the same, and its
    // value follows the colon. A link is no field.
    EXPECT_EQ(scan("\nSubject:x\n"), (tokens{"CRLF '\n' INITIAL", "LEX_WORD 'Subject:x' INITIAL", "CRLF '\n' INITIAL",
                                             "END INITIAL"}));
    EXPECT_EQ(scan("Subject:x\n"), (tokens{"KEYWORD 'Subject:' HEADER_SECTION", "LEX_WORD 'x' HEADER_SECTION",
                                           "NEWLINE LEADING_HEADER", "END INITIAL"}));
    EXPECT_EQ(scan("http://x\n"), (tokens{"LEX_WORD 'http://x' INITIAL", "CRLF '\n' INITIAL", "END INITIAL"}));

    // Bytes above 127 are keyword characters.
    EXPECT_EQ(scan("\xc9t\xe9: oui"), (tokens{"KEYWORD '\xc9t\xe9:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION",
                                             "LEX_WORD 'oui' HEADER_SECTION", "LEXX_EOF INITIAL", "END INITIAL"}));
}

TEST(EmailScanner, KeywordsOnlyAtLineStart) {
    EXPECT_EQ(scan("a b: c\nTo: d\nCc: e"),
              (tokens{"LEX_WORD 'a' INITIAL", "LEX_WORD ' ' INITIAL", "LEX_WORD 'b:' INITIAL", "LEX_WORD ' ' INITIAL",
                      "LEX_WORD 'c' INITIAL", "CRLF '\n' INITIAL", "KEYWORD 'To:' HEADER_SECTION",
                      "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'd' HEADER_SECTION", "NEWLINE INITIAL",
                      "KEYWORD 'Cc:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'e' HEADER_SECTION",
                      "LEXX_EOF INITIAL", "END INITIAL"}));
    // A dropped decoration run still moves the scanner off the line start.
    EXPECT_EQ(scan("**Re: x"), (tokens{"LEX_WORD 'Re:' INITIAL", "LEX_WORD ' ' INITIAL", "LEX_WORD 'x' INITIAL",
                                      "END INITIAL"}));
}

TEST(EmailScanner, DecorationRunsInBodyText) {
    EXPECT_EQ(scan("see_you"), (tokens{"LEX_WORD 'see' INITIAL", "LEX_WORD '_' INITIAL", "LEX_WORD 'you' INITIAL",
                                      "END INITIAL"}));
    EXPECT_EQ(scan("***world***"), (tokens{"LEX_WORD 'world' INITIAL", "END INITIAL"}));
    EXPECT_EQ(scan("- -- --x x-- __init *"),
              (tokens{"LEX_WORD '-' INITIAL", "LEX_WORD ' ' INITIAL", "LEX_WORD ' ' INITIAL", "LEX_WORD '--x' INITIAL",
                      "LEX_WORD ' ' INITIAL", "LEX_WORD 'x--' INITIAL", "LEX_WORD ' ' INITIAL",
                      "LEX_WORD 'init' INITIAL", "LEX_WORD ' ' INITIAL", "LEX_WORD '*' INITIAL", "END INITIAL"}));
    // '>>' inside a line is dropped, a single '>' is a word.
    EXPECT_EQ(scan("a >> b > c"),
              (tokens{"LEX_WORD 'a' INITIAL", "LEX_WORD ' ' INITIAL", "LEX_WORD ' ' INITIAL", "LEX_WORD 'b' INITIAL",
                      "LEX_WORD ' ' INITIAL", "LEX_WORD '>' INITIAL", "LEX_WORD ' ' INITIAL", "LEX_WORD 'c' INITIAL",
                      "END INITIAL"}));
    EXPECT_EQ(scan("\t \t"), (tokens{"LEX_WORD '\t \t' INITIAL", "END INITIAL"}));
}

TEST(EmailScanner, QuotedLines) {
    // '>>' at line start is a quote prefix, blanks of the prefix included.
    EXPECT_EQ(scan(">> hi ** there >> _ *\nok"),
              (tokens{"'>' FORWARDED_TEXT", "LEX_FOR_WORD 'hi' FORWARDED_TEXT", "LEX_FOR_WORD ' ' FORWARDED_TEXT",
                      "LEX_FOR_WORD ' ' FORWARDED_TEXT", "LEX_FOR_WORD 'there' FORWARDED_TEXT",
                      "LEX_FOR_WORD ' ' FORWARDED_TEXT", "LEX_FOR_WORD ' ' FORWARDED_TEXT",
                      "LEX_FOR_WORD '_' FORWARDED_TEXT", "LEX_FOR_WORD ' ' FORWARDED_TEXT",
                      "LEX_FOR_WORD '*' FORWARDED_TEXT", "LEX_FOR_CRLF '\n' INITIAL", "LEX_WORD 'ok' INITIAL",
                      "END INITIAL"}));
    // A single '>' and '--' inside a quoted line.
    EXPECT_EQ(scan("> a > b -- c\n"),
              (tokens{"'>' FORWARDED_TEXT", "LEX_FOR_WORD 'a' FORWARDED_TEXT", "LEX_FOR_WORD ' ' FORWARDED_TEXT",
                      "LEX_FOR_WORD '>' FORWARDED_TEXT", "LEX_FOR_WORD ' ' FORWARDED_TEXT",
                      "LEX_FOR_WORD 'b' FORWARDED_TEXT", "LEX_FOR_WORD ' ' FORWARDED_TEXT",
                      "LEX_FOR_WORD ' ' FORWARDED_TEXT", "LEX_FOR_WORD 'c' FORWARDED_TEXT", "LEX_FOR_CRLF '\n' INITIAL",
                      "END INITIAL"}));
}

TEST(EmailScanner, QuotedKeys) {
    EXPECT_EQ(scan("> > From: x\n"),
              (tokens{"FORWARDED_KEYWORD '> > From:' FORWARDED_HEADER_SECTION",
                      "LEX_WORD ' ' FORWARDED_HEADER_SECTION", "LEX_WORD 'x' FORWARDED_HEADER_SECTION",
                      "NEWLINE INITIAL", "END INITIAL"}));
    EXPECT_EQ(scan(">\tX-Mailer_2: y"),
              (tokens{"FORWARDED_KEYWORD '>\tX-Mailer_2:' FORWARDED_HEADER_SECTION",
                      "LEX_WORD ' ' FORWARDED_HEADER_SECTION", "LEX_WORD 'y' FORWARDED_HEADER_SECTION",
                      "LEXX_EOF INITIAL", "END INITIAL"}));
    // A key starts with an ASCII letter; anything else makes a quoted line.
    EXPECT_EQ(scan("> \xe9t\xe9: x\n"),
              (tokens{"'>' FORWARDED_TEXT", "LEX_FOR_WORD '\xe9t\xe9:' FORWARDED_TEXT", "LEX_FOR_WORD ' ' FORWARDED_TEXT",
                      "LEX_FOR_WORD 'x' FORWARDED_TEXT", "LEX_FOR_CRLF '\n' INITIAL", "END INITIAL"}));
    EXPECT_EQ(scan(">1st: x"), (tokens{"'>' FORWARDED_TEXT", "LEX_FOR_WORD '1st:' FORWARDED_TEXT",
                                      "LEX_FOR_WORD ' ' FORWARDED_TEXT", "LEX_FOR_WORD 'x' FORWARDED_TEXT",
                                      "END FORWARDED_TEXT"}));
}

TEST(EmailScanner, OriginalMessageSeparators) {
    const tokens separator{"ORIGINAL_MESSAGE ORIGINAL_SECTION", "LEX_FOR_CRLF '\n' ORIGINAL_SECTION",
                           "END ORIGINAL_SECTION"};
    EXPECT_EQ(scan("-----Original Message-----\n"), separator);
    EXPECT_EQ(scan("-Original Message-\n"), separator);
    EXPECT_EQ(scan("-----ORIGINAL MESSAGE-----\n"), separator);
    EXPECT_EQ(scan("---oRiGiNaL mEsSaGe--\n"), separator);
    EXPECT_EQ(scan("-----Message d'origine-----\n"), separator);
    EXPECT_EQ(scan("-----MESSAGE D'ORIGINE-----\n"), separator);

    EXPECT_EQ(scan("-----Original  Message-----"),
              (tokens{"LEX_WORD '-----Original' INITIAL", "LEX_WORD '  ' INITIAL", "LEX_WORD 'Message-----' INITIAL",
                      "END INITIAL"}));
    // Dashes on one side only, or a separator inside a line: words.
    EXPECT_EQ(scan("Original Message-----"),
              (tokens{"LEX_WORD 'Original' INITIAL", "LEX_WORD ' ' INITIAL", "LEX_WORD 'Message-----' INITIAL",
                      "END INITIAL"}));
    EXPECT_EQ(scan("x -Original Message-"),
              (tokens{"LEX_WORD 'x' INITIAL", "LEX_WORD ' ' INITIAL", "LEX_WORD '-Original' INITIAL",
                      "LEX_WORD ' ' INITIAL", "LEX_WORD 'Message-' INITIAL", "END INITIAL"}));
}

TEST(EmailScanner, OriginalMessageSectionKeepsItsCondition) {
    EXPECT_EQ(scan("-----Original Message-----\n"
                   "From: Zavo\n"
                   "\n"
                   " Date: 1\n"
                   "hi **x** >> y_ >z\n"
                   "1a: b Re:c\n"
                   "To: x"),
              (tokens{"ORIGINAL_MESSAGE ORIGINAL_SECTION",
                      "LEX_FOR_CRLF '\n' ORIGINAL_SECTION",
                      "ORIGINAL_MESSAGE_KEYWORD 'From:' ORIGINAL_HEADER_SECTION",
                      "LEX_WORD ' ' ORIGINAL_HEADER_SECTION",
                      "LEX_WORD 'Zavo' ORIGINAL_HEADER_SECTION",
                      "NEWLINE ORIGINAL_SECTION",
                      "LEX_FOR_CRLF '\n' ORIGINAL_SECTION",
                      // After the earlier message's header block a field's
                      // name alone makes no header line.
                      "LEX_FOR_WORD ' ' ORIGINAL_SECTION",
                      "LEX_FOR_WORD 'Date:' ORIGINAL_SECTION",
                      "LEX_FOR_WORD ' ' ORIGINAL_SECTION",
                      "LEX_FOR_WORD '1' ORIGINAL_SECTION",
                      "LEX_FOR_CRLF '\n' ORIGINAL_SECTION",
                      "LEX_FOR_WORD 'hi' ORIGINAL_SECTION",
                      "LEX_FOR_WORD ' ' ORIGINAL_SECTION",
                      "LEX_FOR_WORD 'x' ORIGINAL_SECTION",
                      "LEX_FOR_WORD ' ' ORIGINAL_SECTION",
                      "LEX_FOR_WORD ' ' ORIGINAL_SECTION",
                      "LEX_FOR_WORD 'y' ORIGINAL_SECTION",
                      "LEX_FOR_WORD '_' ORIGINAL_SECTION",
                      "LEX_FOR_WORD ' ' ORIGINAL_SECTION",
                      "LEX_FOR_WORD '>' ORIGINAL_SECTION",
                      "LEX_FOR_WORD 'z' ORIGINAL_SECTION",
                      "LEX_FOR_CRLF '\n' ORIGINAL_SECTION",
                      "LEX_FOR_WORD '1a:' ORIGINAL_SECTION",
                      "LEX_FOR_WORD ' ' ORIGINAL_SECTION",
                      "LEX_FOR_WORD 'b' ORIGINAL_SECTION",
                      "LEX_FOR_WORD ' ' ORIGINAL_SECTION",
                      "LEX_FOR_WORD 'Re:c' ORIGINAL_SECTION",
                      "LEX_FOR_CRLF '\n' ORIGINAL_SECTION",
                      "LEX_FOR_WORD 'To:' ORIGINAL_SECTION",
                      "LEX_FOR_WORD ' ' ORIGINAL_SECTION",
                      "LEX_FOR_WORD 'x' ORIGINAL_SECTION",
                      "END ORIGINAL_SECTION"}));
}

TEST(EmailScanner, FoldedHeaderLines) {
    // The line end and the blanks that fold a line become one space.
    EXPECT_EQ(scan("Subject: a\n\tb\n"),
              (tokens{"KEYWORD 'Subject:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'a' HEADER_SECTION",
                      "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'b' HEADER_SECTION", "NEWLINE LEADING_HEADER", "END INITIAL"}));
    // A line of blanks after a header line counts as folded.
    EXPECT_EQ(scan("Subject: a\n   \nbody"),
              (tokens{"KEYWORD 'Subject:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'a' HEADER_SECTION",
                      "LEX_WORD ' ' HEADER_SECTION", "NEWLINE LEADING_HEADER", "LEX_WORD 'body' INITIAL", "END INITIAL"}));
}

TEST(EmailScanner, HeaderLineWordsAndPunctuation) {
    EXPECT_EQ(scan("Date: 1 Jan 10:00:00 -0100\n"),
              (tokens{"KEYWORD 'Date:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD '1' HEADER_SECTION",
                      "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'Jan' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION",
                      "LEX_WORD '10:00:00' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "NEWLINE LEADING_HEADER",
                      "END INITIAL"}));
    EXPECT_EQ(scan("X: -0100, +0100 -12a Hi!!! a.b ?\n"),
              (tokens{"KEYWORD 'X:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD '-0100,' HEADER_SECTION",
                      "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD '+0100' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION",
                      "LEX_WORD '-12a' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'Hi' HEADER_SECTION",
                      "LEX_WORD '!!!' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'a' HEADER_SECTION",
                      "LEX_WORD '.' HEADER_SECTION", "LEX_WORD 'b' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION",
                      "LEX_WORD '?' HEADER_SECTION", "NEWLINE LEADING_HEADER", "END INITIAL"}));
    // Decoration characters are plain header-word characters.
    EXPECT_EQ(scan("X: **a_b**\n"),
              (tokens{"KEYWORD 'X:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD '**a_b**' HEADER_SECTION",
                      "NEWLINE LEADING_HEADER", "END INITIAL"}));
}

TEST(EmailScanner, CompleteAddresses) {
    EXPECT_EQ(scan("From: Zavo <zavo@post.example>\n"),
              (tokens{"KEYWORD 'From:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'Zavo' HEADER_SECTION",
                      "LEX_WORD ' ' HEADER_SECTION", "'<' ADDRESS_ID", "ID 'zavo' ADDRESS_ID", "'@' ADDRESS_DOMAIN",
                      "ADDRESS 'post.example' ADDRESS_DOMAIN", "'>' HEADER_SECTION", "NEWLINE LEADING_HEADER",
                      "END INITIAL"}));
    // An address returns to the header line it began in, so a header line
    // of an original-message section still ends in that section.
    EXPECT_EQ(scan("> From: <a.b@c.d> x\ny"),
              (tokens{"FORWARDED_KEYWORD '> From:' FORWARDED_HEADER_SECTION", "LEX_WORD ' ' FORWARDED_HEADER_SECTION",
                      "'<' ADDRESS_ID", "ID 'a.b' ADDRESS_ID", "'@' ADDRESS_DOMAIN", "ADDRESS 'c.d' ADDRESS_DOMAIN",
                      "'>' FORWARDED_HEADER_SECTION", "LEX_WORD ' ' FORWARDED_HEADER_SECTION",
                      "LEX_WORD 'x' FORWARDED_HEADER_SECTION", "NEWLINE INITIAL", "LEX_WORD 'y' INITIAL",
                      "END INITIAL"}));
    EXPECT_EQ(scan("-----Original Message-----\nTo: <a@b>\nSent: x\ny"),
              (tokens{"ORIGINAL_MESSAGE ORIGINAL_SECTION", "LEX_FOR_CRLF '\n' ORIGINAL_SECTION",
                      "ORIGINAL_MESSAGE_KEYWORD 'To:' ORIGINAL_HEADER_SECTION",
                      "LEX_WORD ' ' ORIGINAL_HEADER_SECTION", "'<' ADDRESS_ID", "ID 'a' ADDRESS_ID",
                      "'@' ADDRESS_DOMAIN", "ADDRESS 'b' ADDRESS_DOMAIN", "'>' ORIGINAL_HEADER_SECTION",
                      "NEWLINE ORIGINAL_SECTION", "ORIGINAL_MESSAGE_KEYWORD 'Sent:' ORIGINAL_HEADER_SECTION",
                      "LEX_WORD ' ' ORIGINAL_HEADER_SECTION", "LEX_WORD 'x' ORIGINAL_HEADER_SECTION",
                      "NEWLINE ORIGINAL_SECTION", "LEX_FOR_WORD 'y' ORIGINAL_SECTION", "END ORIGINAL_SECTION"}));
    // Folded lines around the parts of an address are dropped.
    EXPECT_EQ(scan("To: <\n ab\n\t@\n cd\n >"),
              (tokens{"KEYWORD 'To:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "'<' ADDRESS_ID",
                      "ID 'ab' ADDRESS_ID", "'@' ADDRESS_DOMAIN", "ADDRESS 'cd' ADDRESS_DOMAIN", "'>' HEADER_SECTION",
                      "LEXX_EOF INITIAL", "END INITIAL"}));
}

TEST(EmailScanner, ATokenLongerThanTheBufferComesOutWhole) {
    const std::string longWord(40000, 'w');
    EXPECT_EQ(scan(longWord + " end"), (tokens{"LEX_WORD '" + longWord + "' INITIAL", "LEX_WORD ' ' INITIAL",
                                                "LEX_WORD 'end' INITIAL", "END INITIAL"}));
    const std::string longHeaderWord(20000, 'h');
    EXPECT_EQ(scan("X: " + longHeaderWord + "\n"),
              (tokens{"KEYWORD 'X:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION",
                      "LEX_WORD '" + longHeaderWord + "' HEADER_SECTION", "NEWLINE LEADING_HEADER", "END INITIAL"}));
}

TEST(EmailScanner, TokensAcrossThePiecesReadFromTheInput) {
    // The input arrives in pieces of 8192 bytes: a keyword and a separator
    // cut by a piece boundary still match, and line start survives it.
    const std::string filler(8185, 'a');
    EXPECT_EQ(scan(filler + "\nSubject: x\nTo: y\n-----Original Message-----\n"),
              (tokens{"LEX_WORD '" + filler + "' INITIAL", "CRLF '\n' INITIAL", "KEYWORD 'Subject:' HEADER_SECTION",
                      "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'x' HEADER_SECTION", "NEWLINE INITIAL",
                      "KEYWORD 'To:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'y' HEADER_SECTION",
                      "NEWLINE INITIAL", "ORIGINAL_MESSAGE ORIGINAL_SECTION", "LEX_FOR_CRLF '\n' ORIGINAL_SECTION",
                      "END ORIGINAL_SECTION"}));
    EXPECT_EQ(emailInputPos, emailInputLength);
}

TEST(EmailScanner, ANewTextStartsAfresh) {
    // Ended inside a quoted line, an original section, a header line and
    // in the middle of a line: the next text is at line start in INITIAL.
    const tokens keyword{"KEYWORD 'To:' HEADER_SECTION", "LEX_WORD ' ' HEADER_SECTION", "LEX_WORD 'x' HEADER_SECTION",
                         "LEXX_EOF INITIAL", "END INITIAL"};
    EXPECT_EQ(scan("> partial").back(), "END FORWARDED_TEXT");
    EXPECT_EQ(scan("To: x"), keyword);
    EXPECT_EQ(scan("-----Original Message-----\nabc").back(), "END ORIGINAL_SECTION");
    EXPECT_EQ(scan("To: x"), keyword);
    EXPECT_EQ(scan("abc").back(), "END INITIAL");
    EXPECT_EQ(scan("To: x"), keyword);

    // The unread rest of a text is discarded, not scanned before the next.
    const std::string first = "one two three";
    emailInputText = first.c_str();
    emailInputPos = 0;
    emailInputLength = first.size();
    resetEmailScanner();
    ASSERT_EQ(nextEmailToken(), LEX_WORD);
    ASSERT_EQ(nextEmailToken(), LEX_WORD);
    EXPECT_EQ(scan("To: x"), keyword);
}

TEST(EmailScanner, TheInputIsReadNotWritten) {
    const std::string text = "Subject: a b\nc d";
    std::vector<char> input(text.begin(), text.end());
    emailInputText = input.data();
    emailInputPos = 0;
    emailInputLength = input.size();
    resetEmailScanner();
    while (nextEmailToken() != 0) {
    }
    EXPECT_EQ(std::string(input.begin(), input.end()), text);
}
