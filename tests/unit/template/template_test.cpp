#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "filter/filterlist.h"
#include "platform/stdout_capture.h"
#include "platform/test_process.h"
#include "support/trace_facility.h"

using namespace postsift;

namespace {

std::string textOf(const char* text) { return text == nullptr ? "<null>" : text; }

struct symbol {
    const char* name;
    const char* capture;  // nullptr: the header gave nothing for it
};

// A symbol table of bracketed names, each with or without a capture.
struct symbolTable {
    explicit symbolTable(std::initializer_list<symbol> symbols) {
        filterEntry* last = nullptr;
        for (const symbol& s : symbols) {
            auto* entry = new filterEntry(s.name, "unused");
            entry->setHeaderText(s.capture);
            if (last == nullptr)
                first = entry;
            else
                last->setNext(entry);
            last = entry;
        }
    }
    ~symbolTable() { destroyEntries(first); }
    symbolTable(const symbolTable&) = delete;
    symbolTable& operator=(const symbolTable&) = delete;
    filterEntry* first = nullptr;
};

struct evaluation {
    std::string result;
    std::string output;  // what reached standard output meanwhile
};

evaluation evaluateOn(filterEntry& holder, const char* templateText, filterEntry* symbols) {
    evaluation done;
    platform::stdoutCapture capture;
    EXPECT_TRUE(capture.capturing()) << capture.error();
    const char* result = holder.evaluateTemplate(
        templateText, templateText != nullptr ? std::strlen(templateText) : 0, symbols);
    EXPECT_TRUE(capture.finish(done.output)) << capture.error();
    done.result = textOf(result);
    EXPECT_EQ(holder.templateSymbols(), nullptr) << "the table is only borrowed while evaluating";
    return done;
}

evaluation evaluate(const char* templateText, filterEntry* symbols) {
    filterEntry holder("[HEADER]", "unused");
    return evaluateOn(holder, templateText, symbols);
}

// The result with X captured and without.
std::pair<std::string, std::string> bothWays(const char* templateText) {
    symbolTable set({{"[X]", "captured"}});
    symbolTable unset({{"[X]", nullptr}});
    return {evaluate(templateText, set.first).result, evaluate(templateText, unset.first).result};
}

using results = std::pair<std::string, std::string>;

}  // namespace

TEST(TemplatePlainText, ComesThroughWhole) {
    symbolTable none({});
    EXPECT_EQ(evaluate("Hello there", none.first).result, "Hello there");
    // Carriage returns and accented bytes are ordinary text.
    EXPECT_EQ(evaluate("a\rb \xe9t\xe9", none.first).result, "a\rb \xe9t\xe9");
}

TEST(TemplatePlainText, NothingToEvaluateGivesNull) {
    symbolTable none({});
    filterEntry holder("[HEADER]", "unused");
    EXPECT_EQ(evaluateOn(holder, "earlier", none.first).result, "earlier");
    // A null template drops the earlier result without running the parser.
    EXPECT_EQ(evaluateOn(holder, nullptr, none.first).result, "<null>");
    // An empty template is a syntax error with nothing produced.
    EXPECT_EQ(evaluateOn(holder, "", none.first).result, "<null>");
}

TEST(TemplatePlainText, EachEvaluationStartsANewResult) {
    symbolTable none({});
    filterEntry holder("[HEADER]", "unused");
    EXPECT_EQ(evaluateOn(holder, "one", none.first).result, "one");
    EXPECT_EQ(evaluateOn(holder, "two", none.first).result, "two");
}

TEST(TemplateSubstitution, ChoosesTheBranchByTheCapture) {
    const char* dated = "{[DATE] ? du [DATE]| non dat\xe9}";
    symbolTable captured({{"[DATE]", " 13.01.2003"}});
    symbolTable emptyCapture({{"[DATE]", ""}});
    symbolTable noCapture({{"[DATE]", nullptr}});
    symbolTable otherSymbol({{"[SENDER]", "x"}});
    // The bracketed name inside the branch is left for the caller to fill.
    EXPECT_EQ(evaluate(dated, captured.first).result, " du [DATE]");
    EXPECT_EQ(evaluate(dated, emptyCapture.first).result, " du [DATE]");
    EXPECT_EQ(evaluate(dated, noCapture.first).result, " non dat\xe9");
    // A symbol that is not in the table takes neither branch.
    EXPECT_EQ(evaluate(dated, otherSymbol.first).result, "<null>");
    EXPECT_EQ(evaluate("a{[DATE] ? b| c}d", otherSymbol.first).result, "ad");
}

TEST(TemplateSubstitution, FindsTheSymbolWithoutRegardToCase) {
    symbolTable set({{"[DATE]", "x"}});
    symbolTable unset({{"[DATE]", nullptr}});
    EXPECT_EQ(evaluate("{[date] ? a| b}", set.first).result, " a");
    EXPECT_EQ(evaluate("{[date] ? a| b}", unset.first).result, " b");
}

TEST(TemplateSubstitution, BlanksBelongToTheBranchesNotToTheName) {
    EXPECT_EQ(bothWays("{[X]?yes|no}"), results("yes", "no"));
    EXPECT_EQ(bothWays("{ [X]  ? yes|no}"), results(" yes", "no"));
    EXPECT_EQ(bothWays("{\t[X]\t? yes |no }"), results(" yes ", "no "));
}

TEST(TemplateSubstitution, BranchesKeepLineFeedsBracesAndQuestionMarks) {
    EXPECT_EQ(bothWays("x{[X] ? a\nb|c}y"), results("x a\nby", "xcy"));
    EXPECT_EQ(bothWays("{[X] ? a{b|c?d}"), results(" a{b", "c?d"));
}

TEST(TemplateSubstitution, PiecesFollowEachOtherInOrder) {
    symbolTable table({{"[A]", "a"}, {"[B]", nullptr}});
    EXPECT_EQ(evaluate("<{[A] ? A1|A2}-{[B] ? B1|B2}>{[A] ?A3|A4}", table.first).result, "< A1-B2>A3");
}

TEST(TemplateSubstitution, TheFrenchSummaryTemplate) {
    const char* summary =
        "{[SENDER] ? Vous avez re\xe7ut un message de [SENDER]| Vous avez re\xe7ut un message d'un exp\xe9"
        "diteur inconnu}, {[DATE] ? du [DATE]| non dat\xe9}. {[SUBJECT] ? L'objet de ce message est: "
        "[SUBJECT]| L'objet de ce message est: non pr\xe9"
        "cis\xe9}. ";
    symbolTable all({{"[SUBJECT]", " Hello"}, {"[DATE]", " Lundi"}, {"[SENDER]", " Zavo"}});
    EXPECT_EQ(evaluate(summary, all.first).result,
              " Vous avez re\xe7ut un message de [SENDER],  du [DATE].  L'objet de ce message est: "
              "[SUBJECT]. ");
    symbolTable none({{"[SUBJECT]", nullptr}, {"[DATE]", nullptr}, {"[SENDER]", nullptr}});
    EXPECT_EQ(evaluate(summary, none.first).result,
              " Vous avez re\xe7ut un message d'un exp\xe9"
              "diteur inconnu,  non dat\xe9.  L'objet de ce message est: non pr\xe9"
              "cis\xe9. ");
}

TEST(TemplateSubstitution, TextsOfASubstitutionWithoutSymbolStayUntilReplaced) {
    symbolTable table({{"[A]", "a"}});
    filterEntry holder("[HEADER]", "unused");
    evaluateOn(holder, "{[Q] ? q1| q2}", table.first);
    EXPECT_EQ(textOf(holder.conditionSymbol().get()), "[Q]");
    EXPECT_EQ(textOf(holder.thenText().get()), " q1");
    EXPECT_EQ(textOf(holder.elseText().get()), " q2");
    // Any append ends the substitution's texts.
    EXPECT_EQ(evaluateOn(holder, "{[A] ? a1| a2}", table.first).result, " a1");
    EXPECT_TRUE(holder.conditionSymbol().isNull());
    EXPECT_TRUE(holder.thenText().isNull());
    EXPECT_TRUE(holder.elseText().isNull());
}

TEST(TemplateStrayCharacters, GoToStandardOutputAndNotTheResult) {
    symbolTable set({{"[X]", "x"}});
    symbolTable unset({{"[X]", nullptr}});

    evaluation brace = evaluate("a}b", set.first);
    EXPECT_EQ(brace.result, "ab");
    EXPECT_EQ(brace.output, "}");

    // A '}' opening the first branch is dropped; the branch goes on.
    evaluation opening = evaluate("{[X] ?} a| b}", set.first);
    EXPECT_EQ(opening.result, " a");
    EXPECT_EQ(opening.output, "}");
    EXPECT_EQ(evaluate("{[X] ?} a| b}", unset.first).result, " b");

    // A line feed between name and '?' is dropped too.
    evaluation feed = evaluate("{[X]\n? a| b}", set.first);
    EXPECT_EQ(feed.result, " a");
    EXPECT_EQ(feed.output, "\n");

    EXPECT_EQ(evaluate("plain {[X] ? a| b}", set.first).output, "");
}

TEST(TemplateSyntaxErrors, KeepWhatWasProducedBeforeTheError) {
    symbolTable set({{"[X]", "x"}});
    struct errorCase {
        const char* templateText;
        const char* result;
        const char* output;
    };
    const errorCase cases[] = {
        {"{[X] ?| b}", "<null>", ""},       // empty first branch
        {"pre{[X] ? a|}", "pre", ""},       // empty second branch
        {"a\nb", "a", ""},                  // a line feed outside braces
        {"p{[X] [Y] ? a|b}", "p", ""},      // two names
        {"{[X]}", "<null>", ""},            // the name runs on to "[X]}"
        {"{[X] ? a}b| c}", "<null>", "}"},  // first branch split in two
        {"q{[X] ? a| b|c}", "q", "|"},      // second branch split in two
        {"r{[X] ? a", "r", ""},             // cut off inside a branch
    };
    for (const errorCase& c : cases) {
        evaluation done = evaluate(c.templateText, set.first);
        EXPECT_EQ(done.result, c.result) << c.templateText;
        EXPECT_EQ(done.output, c.output) << c.templateText;
    }
}

TEST(TemplateSyntaxErrors, WriteOneTraceLine) {
    // A trace is on when a "zel.dbg" lies where it is set up and the settings
    // name no other file; an empty registry root names none.
    const char* const rootName = "POSTSIFT_REGISTRY_ROOT";
    const char* previousRoot = std::getenv(rootName);
    const std::string savedRoot = previousRoot != nullptr ? previousRoot : "";
    ASSERT_TRUE(platform::changeEnvironment(rootName, "template-test-no-registry"));
    { std::ofstream create("zel.dbg", std::ios::binary | std::ios::trunc); }
    traceFacility trace(logLock());
    trace.setUp();
    traceFacility* previous = installTrace(&trace);
    symbolTable none({});
    evaluate("a\nb", none.first);
    evaluate("fine", none.first);
    installTrace(previous);
    platform::changeEnvironment(rootName, previousRoot != nullptr ? savedRoot.c_str() : nullptr);

    std::ifstream file("zel.dbg", std::ios::binary);
    std::stringstream lines;
    lines << file.rdbuf();
    file.close();
    std::remove("zel.dbg");
    ASSERT_TRUE(trace.isEnabled());
    int errors = 0;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();  // a text file on Windows
        const std::string ending = " cfg parser error! syntax error";
        if (line.size() >= ending.size() && line.compare(line.size() - ending.size(), ending.size(), ending) == 0)
            ++errors;
    }
    EXPECT_EQ(errors, 1) << lines.str();
}

TEST(TemplateSyntaxErrors, LeaveNothingBehindForTheNextEvaluation) {
    symbolTable set({{"[X]", "x"}});
    filterEntry holder("[HEADER]", "unused");
    // Stopped inside a substitution: the next template starts outside braces.
    evaluateOn(holder, "{[X] ? a|", set.first);
    EXPECT_EQ(evaluateOn(holder, "plain", set.first).result, "plain");
    evaluateOn(holder, "{[X]", set.first);
    EXPECT_EQ(evaluateOn(holder, "more}text", set.first).result, "moretext");
    // Stopped with input left unread: that input is not seen again.
    evaluateOn(holder, "a\nleft over", set.first);
    EXPECT_EQ(evaluateOn(holder, "{[X] ? yes| no}", set.first).result, " yes");
}

TEST(TemplateInput, HasNoLengthLimit) {
    symbolTable set({{"[X]", "x"}});
    // Longer than the scanner's first buffer and its read slices, both as
    // one run of text and as one branch.
    const std::string longText(40000, 'w');
    EXPECT_EQ(evaluate(longText.c_str(), set.first).result, longText);
    const std::string longBranch = "{[X] ?" + longText + "| no}";
    EXPECT_EQ(evaluate(longBranch.c_str(), set.first).result, longText);
}

TEST(TemplateInput, ReadsOnlyTheGivenLength) {
    symbolTable none({});
    filterEntry holder("[HEADER]", "unused");
    const char* text = "Hello there";
    EXPECT_EQ(textOf(holder.evaluateTemplate(text, 5, none.first)), "Hello");
}

TEST(TemplateConcurrency, EvaluationsFromManyThreadsDoNotMix) {
    // The scanner and parser are single instances: evaluations must take
    // turns, or their inputs and results would interleave.
    symbolTable table({{"[A]", "a"}, {"[B]", nullptr}});
    constexpr int threadCount = 4;
    std::vector<std::string> failures(threadCount);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([t, &table, &failures] {
            filterEntry holder("[HEADER]", "unused");
            const std::string prefix(200, static_cast<char>('k' + t));
            const std::string templateText = prefix + "{[A] ? yes| no}{[B] ? yes| no}" + prefix;
            const std::string expected = prefix + " yes no" + prefix;
            for (int round = 0; round < 300 && failures[t].empty(); ++round) {
                const char* result = holder.evaluateTemplate(templateText.c_str(), templateText.size(), table.first);
                if (textOf(result) != expected) failures[t] = textOf(result);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < threadCount; ++t) EXPECT_EQ(failures[t], "") << "thread " << t;
}
