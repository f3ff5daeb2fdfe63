// Runs of symbols left silent.
#include "reading_fixture.h"

using namespace postsift;

TEST_F(ReadingPass, SymbolRunsAreSilentButNotPunctuationOrRules) {
    rule("[QUIET SYMBOLS]", "true");
    rule("-->", "fl\xe8" "che");
    rule(":-)", "[REMOVE WORD]");
    EXPECT_EQ(read("<><><> ok ---~--> ... ?! =-=-= --> 10-12 :-) >>> x\n> >>> quoted\n"),
              " ok  ... ?!  --> 10-12 :-)  x\n> >>> quoted\n");
}

TEST_F(ReadingPass, SignsBetweenQuotesAreNoRun) {
    rule("[QUIET SYMBOLS]", "true");
    EXPECT_EQ(read("\npress '*', then \"<>\" or '+=' but not ''' or '*-*\n"),
              "\npress '*', then \"<>\" or '+=' but not  or \n");
}
