// postsift-filter --report on a small folder through the real English
// plug-in with its built-in entries, and rules set to lose some lines.
#include <gtest/gtest.h>

#include <filesystem>

#include "filter_command.h"
#include "platform/plugin_library.h"

namespace {

// Line 2 loses six of its nine words to the two word rules; the "Plans:"
// line is dropped as a header line by its line rule; the quote and the
// signature are no text of the writer's. The built-ins speak no link: it
// is read as written, as are the tags and the entity of a plain text part.
const char gardenMessage[] =
    "From: Zavo Zozu <zavo@example.org>\n"
    "Subject: Garden\n"
    "\n"
    "The roses in the north garden need water every single morning.\n"
    "Zebra yak zebra yak zebra yak and the moon.\n"
    "Plans: the shed key hangs behind the door\n"
    "> Did you remember to feed the goldfish in the pond today?\n"
    "See http://www.example.org/roses for <b>pictures</b> of fish &amp; roses.\n"
    "-- \n"
    "Zavo Zozu, keeper of the north garden and the goldfish pond\n";

// Nothing of its one line is read: a message without body, counted once.
const char plansMessage[] =
    "From: Zavo Zozu <zavo@example.org>\n"
    "Subject: Plans\n"
    "\n"
    "Plans: a picnic by the pond on Sunday afternoon\n";

// In a mailbox: an HTML-only part, quoted-printable, which the plug-in
// turns into text, its tags dropped and its entity decoded; then the
// message above again.
const std::string menuMailbox = std::string() +
    "From zavo@example.org Mon Jan 13 10:00:00 2003\n"
    "From: Zavo Zozu <zavo@example.org>\n"
    "Subject: Menu\n"
    "MIME-Version: 1.0\n"
    "Content-Type: text/html; charset=us-ascii\n"
    "Content-Transfer-Encoding: quoted-printable\n"
    "\n"
    "<html><body><p>Soup of the day is pumpkin with a little ginger=\n"
    " and cream.</p><p>Fish &amp; chips for everyone on Friday</p></body></html>\n"
    "\n"
    "From zavo@example.org Mon Jan 13 11:00:00 2003\n" +
    plansMessage;

const std::vector<std::string> losingRules = {"--language",    "en", "--built-ins", "--set", "zebra=[REMOVE WORD]",
                                              "--set",         "yak=[REMOVE WORD]", "--set", "Plans:=[REMOVE LINE]",
                                              "--report"};

}  // namespace

TEST(ReadingReport, EachMessageSaysWhatItLostThenOneLineSumsUp) {
    const std::string folder = "report-folder";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder + "/more");
    writeFile(buildPath(folder, "a.eml"), gardenMessage);
    writeFile(buildPath(folder, "b.eml"), plansMessage);
    writeFile(buildPath(buildPath(folder, "more"), "c.mbox"), menuMailbox);
    writeFile(buildPath(folder, "tts.log"), "S|---- Date-Time ----|\n");  // no message: passed over

    std::vector<std::string> arguments = losingRules;
    arguments.push_back(folder);
    const commandResult result = runFilter(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string expected =
        buildPath(folder, "a.eml") +
        "\n"
        "  not heard: Zebra yak zebra yak zebra yak and the moon.\n"
        "  'Word:' line not heard: Plans: the shed key hangs behind the door\n"
        "  heard 1 link: http://www.example.org/roses\n"
        "  heard 2 tags: <b>, ...\n"
        "  heard 1 entity: &amp;\n" +
        buildPath(folder, "b.eml") +
        "\n"
        "  read with no body: Plans: a picnic by the pond on Sunday afternoon\n" +
        buildPath(buildPath(folder, "more"), "c.mbox") +
        ", message 2\n"
        "  read with no body: Plans: a picnic by the pond on Sunday afternoon\n"
        "report: 4 messages, 2 read with no body, 1 line of six words or more not heard, 1 'Word:' line not "
        "heard, 1 link, 2 tags, 1 entity, 0 encoded words heard\n";
    const std::size_t body = result.out.find('\n') + 1;
    const std::string heading = result.out.substr(0, body);
    EXPECT_EQ(heading.rfind("report: English plug-in ", 0), 0u) << heading;
    EXPECT_NE(heading.find(buildPath("english", postsift::platform::pluginLibrary::fileName()) +
                           ", configuration the built-in entries alone\n"),
              std::string::npos)
        << heading;
    EXPECT_EQ(result.out.substr(body), expected) << result.out;

    // A mailbox named on its own is read message by message too.
    arguments = losingRules;
    arguments.push_back(buildPath(buildPath(folder, "more"), "c.mbox"));
    const commandResult mailbox = runFilter(arguments);
    EXPECT_EQ(mailbox.status, 0) << mailbox.err;
    EXPECT_NE(mailbox.out.find("report: 2 messages, 1 read with no body, 0 lines of six words or more not heard, "
                               "0 'Word:' lines not heard, 0 links, 0 tags, 0 entities, 0 encoded words heard\n"),
              std::string::npos)
        << mailbox.out;
}

TEST(ReadingReport, TheShippedConfigurationIsReadUnlessTheCommandLineNamesAnother) {
    // The build keeps the shipped configuration beside the plug-in, where no
    // plug-in reads it.
    const std::string folder = "report-shipped";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    writeFile(buildPath(folder, "b.eml"), plansMessage);
    commandResult result = runFilter({"--language", "de", "--report", folder});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find(buildPath("german", "shipped.cfg") + "\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("report: 1 message, 0 read with no body"), std::string::npos) << result.out;

    const std::string config = writeFile("report.cfg", "Plans:\t[REMOVE LINE]\n");
    result = runFilter({"--config", config, "--report", folder});
    EXPECT_NE(result.out.find("configuration report.cfg\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("report: 1 message, 1 read with no body"), std::string::npos) << result.out;

    // A report prints; it neither speaks nor mixes with messages to print.
    EXPECT_EQ(runFilter({"--report", folder, "--speak"}).status, 2);
    EXPECT_EQ(runFilter({"--report", folder, buildPath(folder, "b.eml")}).status, 2);
    EXPECT_EQ(runFilter({"--report", ""}).status, 2);
}
