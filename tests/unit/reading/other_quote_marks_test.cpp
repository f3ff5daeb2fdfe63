// Quotes marked otherwise than with '>': what quotes, and what only looks
// as if it did.
#include "reading_fixture.h"

using namespace postsift;

TEST_F(ReadingPass, OtherMarksQuoteInRunsUnderAttributionsAndOnceKnown) {
    rule("[FIND ORIGINAL MESSAGE]", "true");
    rule("[DROP ATTRIBUTION]", "true");
    rule("[INCLUDE FORWARDED TEXT]", "false");
    // A run of two, '>' after the mark deeper; then a lone line of the mark
    // the message quotes with. Each mark is written as '>' and blanks.
    const std::string runs = ") a\n) > b\nyes\n) c\nno\n--]d\n--]\n\n  | e\n  | f\nok\n";
    const std::string quoted = "> a\n> > b\nyes\n> c\nno\n>  d\n>  \n\n>   e\n>   f\nok\n";
    EXPECT_EQ(read(runs), quoted);
    EXPECT_EQ(read(withCrLf(runs)), withCrLf(quoted));
    // Right under an attribution one line will do, '#' too; and the lines
    // that stand for a cut, there, within a quote or above one. (The words
    // of a line quoted with '>', which nobody hears, are left out: its
    // marks stay.)
    EXPECT_EQ(read("Bob Stone said:\n\n# a\nyes\n"), "\n> a\nyes\n");
    EXPECT_EQ(read("On 4/3/2003, Bob Stone wrote:\n...\n> a\n[...]\n> b\n\n8<\nyes\n<snip>\n\n> c\n"),
              "> ...\n> \n> [...]\n> \n\n> 8<\nyes\n> <snip>\n\n> \n");
    // A cut in every form a marker takes, in any case, within a quote; not
    // a line that only begins as one.
    EXPECT_EQ(read("> a\n-- snip --\n> b\n[SNIP]\n> c\n( Snipped )\n> d\n\x85\n> e\n--8<--\n> f\n%<\n> g\n"
                   "{ .... }\n> h\n- snip this\n> i\n"),
              "> \n> -- snip --\n> \n> [SNIP]\n> \n> ( Snipped )\n> \n> \x85\n> \n> --8<--\n> \n> %<\n> \n"
              "> { .... }\n> \n- snip this\n> \n");
    // A lone line of initials in capitals is a quote; a name or a prompt
    // alone is not.
    EXPECT_EQ(read("GS> a\nyes\nShlepy> hi\nmysql> show\nmysql> select\n"),
              "> \nyes\nShlepy> hi\nmysql> show\nmysql> select\n");
}

TEST_F(ReadingPass, WhatOnlyLooksLikeAQuoteMarkStaysText) {
    rule("[FIND ORIGINAL MESSAGE]", "true");
    const char* const texts[] = {
        "a\n: b\n) c\nd\n",                  // lone lines in prose
        "- a\n- b\n* c\n* d\n",              // list items
        "# a\n# b\n// c\n// d\n#! e\n#! f\n",  // code comments
        ":-) a\n:-) b\n;) c\n;) d\n",        // emoticons
        "| a | b |\n| c | d |\n",            // a table
        "-> a\n-> b\n=> c\n=> d\n",          // arrows
        "*) a\n*) b\n(1) c\n(2) d\n[1] e\n[2] f\n",  // notes
        "}\n}\n",                            // braces, no words
        "a\n[snip]\nb\n...\nc\n",            // cuts with no quote near
        "-- \nname\n",                       // a signature
    };
    for (const char* text : texts) EXPECT_EQ(read(text), text);
}
