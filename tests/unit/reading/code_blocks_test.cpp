// Blocks of code, logs and the like said in one sentence, and what is read
// for all its signs. The unit tests hold the French build.
#include "reading_fixture.h"

#include <random>
#include <string>

#include "reading/pass/line_facts.h"
#include "reading/rules/code_shape.h"

using namespace postsift;

TEST_F(ReadingPass, ACodeBlockIsSaidWhereItStandsWithItsQuoteAndLineEnd) {
    rule("[SUMMARIZE CODE]", "true");
    EXPECT_EQ(read("Voici :\r\n> x = 1\r\n> y = 2\r\n> z = 3\r\n> fin\r\n"),
              "Voici :\r\n> Un fichier de configuration de 3 lignes.\r\n> fin\r\n");
    // Only the first "%d" and "%s" are filled: the phrase is no format.
    symbol("[CODE BLOCK]", "%d lignes de %s, 100 %% et %s %d");
    EXPECT_EQ(read("x = 1\ny = 2\nz = 3\n"), "3 lignes de Un fichier de configuration, 100 %% et %s %d\n");
}

TEST_F(ReadingPass, AnEmptyCodeBlockPhraseLeavesTheBlockOut) {
    rule("[SUMMARIZE CODE]", "true");
    symbol("[CODE BLOCK]", "");
    EXPECT_EQ(read("avant\n\n$ make\ncc -o a a.c\n$ ./a\n\napr\xe8s\n"), "avant\n\n\napr\xe8s\n");
}

// A diff is as long as its hunks say, a blank line of context included;
// what follows the last hunk is read, and so is prose that follows a block
// without a blank line. Paragraphs of the kind after blank lines join it.
TEST_F(ReadingPass, ABlockEndsWhereItsKindEnds) {
    rule("[SUMMARIZE CODE]", "true");
    EXPECT_EQ(read("@@ -1,3 +1,3 @@\n a\n-b\n+c\n\nVoil\xe0 le correctif.\n"),
              "Un diff de 5 lignes.\nVoil\xe0 le correctif.\n");
    EXPECT_EQ(read("x = 1\ny = 2\nz = 3\n\nw = 4\nv = 5\nVoici la suite de la configuration.\n"),
              "Un fichier de configuration de 6 lignes.\nVoici la suite de la configuration.\n");
    EXPECT_EQ(read("Traceback (most recent call last):\n  File \"a.py\", line 3, in f\n    g()\n"
                   "  File \"a.py\", line 1, in g\nValueError: rien\n\nEt voil\xe0.\n"),
              "Une trace d'appels de 5 lignes.\n\nEt voil\xe0.\n");
}

// When in doubt, read: prose that names code, a signature with a telephone
// number, a short list, an address, text sent as HTML, a drawing, a
// header pasted into a message, a single line of code, two lines of a log.
TEST_F(ReadingPass, WhatOnlyLooksLikeCodeIsRead) {
    rule("[SUMMARIZE CODE]", "true");
    const std::string read_as_written =
        "Appelle foo() puis bar(x) ; si x = 0, rien ne change (voir la doc).\n"
        "La fonction main() lit le fichier config.ini et le journal.\n"
        "Il faut aussi regarder le fichier {base}/etc/app.conf demain.\n\n"
        "Jean Dupont\nT\xe9l. 06 12 34 56 78\nFax 06 12 34 56 79\n\n"
        "- pain\n- lait\n- oeufs\n\n"
        "Mairie de Villeneuve\n12 place de l'\xc9glise\n45000 Villeneuve\n\n"
        "<p>Bonjour,</p>\n<p>Merci pour <b>tout</b>.</p>\n<p>A bient\xf4t</p>\n\n"
        "   *   *\n  *** ***\n   *****\n\n"
        "X-Spam-Status: No, hits=0.1\n   tests=AWL,BAYES_00\n   version=2.40\n   autolearn=ham\n\n"
        "Tape ceci :\n    make clean && make\net recommence.\n\n"
        "10:59:39 d\xe9marrage\n10:59:41 arr\xeat\n";
    EXPECT_EQ(read(read_as_written), read_as_written);
}

// With the option off, blocks are read line by line, as they were (a line
// without a word ends no sentence).
TEST_F(ReadingPass, WithoutTheOptionCodeKeepsItsLines) {
    rule("[READ PARAGRAPHS]", "true");
    EXPECT_EQ(read("function f(x) {\n  return g(x);\n}\nvar y = f(2);\n"),
              "function f(x) {.\n  return g(x).\n}\nvar y = f(2).\n");
}

// A line's verdicts, judged for most lines of prose from their facts and
// first word alone, and for others from the shapes they need, are the ones
// its whole shape gives: random lines of words, and of the words and signs
// that begin or end a program's line.
TEST(CodeShape, AVerdictFromTheFirstLookIsTheWholeShapes) {
    const char* const words[] = {"de", "cafe", "beef", "ab", "le", "chat", "Dort", "%", "ann@host%", "//", "/*",
                                 "*/", "File", "\"a.py\",", "line", "Exception", "in", "thread", "ValueError",
                                 "diff", "---", "+++", "@@", "-1,3", "invoked", "from", "within", "while",
                                 "executing", "ls", "x:", "12", "(a)", ";", "=", "{", "the", "cat", "sat",
                                 "on", "mat", "10:20:30", "Mar", "[ann@host", "tmp]$", "$", "name=1", "a.b", "=",
                                 "key:", "[x]", "<b>", "3.5", "#include", "0x1f,", "\\x01\\x02\\x03\\x04", "}",
                                 "f(x)", ")", "(", "mysql>", "C:\\>", "#", "at", "a.B(C.java:12)", "Traceback",
                                 "(most", "recent", "call", "last):", "...", "_x=1", "java.lang.Error:", "Caused",
                                 "by:", "+1,4", "Index:", "1)", ".x"};
    const std::size_t count = sizeof words / sizeof words[0];
    // A row of hex: its first words, one line in four.
    const std::size_t hexWords = 7;
    std::mt19937 random(8);
    for (int round = 0; round < 20000; ++round) {
        std::string line;
        const std::size_t drawn = round % 4 == 0 ? hexWords : count;
        for (std::size_t i = random() % 12; i > 0; --i) {
            line += words[random() % drawn];
            line += random() % 8 == 0 ? "\t" : " ";
        }
        line += '\n';
        const lineFacts facts = factsAt(line.data(), line.data() + line.size());
        passState::lineVerdicts verdicts;
        const lineShape shape = shapeOf(facts);
        EXPECT_EQ(isMachineLine(facts, verdicts), shape.isMachineLine()) << line;
        EXPECT_EQ(beginsBlock(facts, verdicts), shape.beginsBlock()) << line;
    }
}
