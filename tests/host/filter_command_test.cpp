// postsift-filter run as a process, against a test plug-in whose answers show
// what the host did (fake_plugin.cpp), and against the real plug-ins.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>

#include "build_files.h"
#include "filter_command.h"
#include "platform/child_process.h"
#include "platform/plugin_library.h"
#include "postsift.h"

namespace {

std::vector<std::string> withFake(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"--plugin", fakePlugin()});
    return arguments;
}

// What the fake plug-in answers for its n-th active run on a text of
// `bytes` bytes (after the configuration changes listed in `changes`).
std::string fakeHeader(int run, std::size_t bytes, const std::string& changes = std::string(),
                       const std::string& maker = "getObject") {
    return "[" + maker + " run " + std::to_string(run) + ", " + std::to_string(bytes) + " bytes" + changes + "]\n";
}

}  // namespace

TEST(FilterCommand, MessagesAreHandedOverAsTheyAreAndSpokenTextComesBackInUtf8) {
    // The plug-in decodes messages itself: UTF-8 reaches it unconverted.
    const std::string utf8 = "Subject: D\xc3\xa9j\xc3\xa0 vu \xe2\x80\x93 \xe2\x80\x9cok\xe2\x80\x9d\n";
    commandResult result = runFilter(withFake({"--raw"}), utf8);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, fakeHeader(1, utf8.size()) + utf8);

    // Forced UTF-8: "Déjà vu – “ok”", é, à, the dash and the quotes one byte
    // each in Windows-1252, which comes back as UTF-8.
    result = runFilter(withFake({"--input-encoding", "utf-8"}), utf8);
    EXPECT_EQ(result.out, fakeHeader(1, 24) + utf8);
    result = runFilter(withFake({"--raw", "--input-encoding", "utf-8"}), utf8);
    EXPECT_EQ(result.out, fakeHeader(1, 24) + "Subject: D\xe9j\xe0 vu \x96 \x93ok\x94\n");

    // A character that Windows-1252 lacks reaches the plug-in as its stand-in.
    result = runFilter(withFake({"--raw", "--input-encoding", "utf-8"}), "a\xe2\x80\xafz \xf0\x9f\x98\x80\n");
    EXPECT_EQ(result.out, fakeHeader(1, 6) + "a z ?\n");

    // --set values have no charset of their own to declare: valid UTF-8 is
    // converted for the plug-in.
    result = runFilter(withFake({"--raw", "--set", "caf\xc3\xa9=th\xc3\xa9"}), "x\n");
    EXPECT_EQ(result.out, fakeHeader(1, 2, " set caf\xe9=th\xe9") + "x\n");
}

TEST(FilterCommand, InputThatIsNotUtf8IsTakenAsWindows1252UnlessAnEncodingIsForced) {
    commandResult result = runFilter(withFake({}), "caf\xe9 \x80\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, fakeHeader(1, 7) + "caf\xc3\xa9 \xe2\x82\xac\n");
    result = runFilter(withFake({"--raw"}), "caf\xe9 \x80\n");
    EXPECT_EQ(result.out, fakeHeader(1, 7) + "caf\xe9 \x80\n");

    // Windows-1252 forced on bytes that are also valid UTF-8: the plug-in's
    // decoding stage would take them for UTF-8, so they reach it as the UTF-8
    // of the two characters "Ã©", which the stage reads back as exactly
    // these two bytes...
    result = runFilter(withFake({"--raw", "--input-encoding", "windows-1252"}), "\xc3\xa9\n");
    EXPECT_EQ(result.out, fakeHeader(1, 5) + "\xc3\x83\xc2\xa9\n");
    // ...and as they are to a plug-in whose stage is switched off.
    result = runFilter(withFake({"--raw", "--input-encoding", "windows-1252", "--set", "[DECODE MIME]=false"}),
                       "\xc3\xa9\n");
    EXPECT_EQ(result.out, fakeHeader(1, 3, " set [DECODE MIME]=false") + "\xc3\xa9\n");
    // Forced UTF-8: the byte that is not UTF-8 becomes "?".
    result = runFilter(withFake({"--input-encoding=utf-8"}), "caf\xe9\n");
    EXPECT_EQ(result.out, fakeHeader(1, 5) + "caf?\n");
}

TEST(FilterCommand, WhatThePluginWritesToStandardOutputNeverMixesWithTheSpokenText) {
    const std::string crlf = "Subject: hi\r\n\r\nbody\r\n";
    commandResult result = runFilter(withFake({}), crlf);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, fakeHeader(1, 21) + "Subject: hi\n\nbody\n");
    EXPECT_EQ(result.err, "");

    result = runFilter(withFake({"--echo"}), crlf);
    EXPECT_EQ(result.out, fakeHeader(1, 21) + "Subject: hi\n\nbody\n");
    EXPECT_EQ(result.err, "\r\r\r");

    // More than any pipe holds, written while the host waits for the plug-in.
    result = runFilter(withFake({}), "FLOOD\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, fakeHeader(1, 6) + "FLOOD\n");
    result = runFilter(withFake({"--echo"}), "FLOOD\n");
    EXPECT_EQ(result.err, std::string(300000, '~'));
}

TEST(FilterCommand, SetAndUnsetReachThePluginInCommandLineOrder) {
    commandResult result = runFilter(
        withFake({"--set", "a=1", "--unset", "b", "--set=c=x=y", "--set", "=)=[REMOVE WORD]", "--set", "e="}), "hi\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, fakeHeader(1, 3, " set a=1 unset b set c=x=y set =)=[REMOVE WORD] set e=") + "hi\n");

    // Keys and values are converted like messages.
    result = runFilter(withFake({"--raw", "--set", "M\xc3\xa4rz=March"}), "hi\n");
    EXPECT_EQ(result.out, fakeHeader(1, 3, " set M\xe4rz=March") + "hi\n");
}

TEST(FilterCommand, AChangeThatThePluginRefusesStopsBeforeAnyMessage) {
    const commandResult result = runFilter(withFake({"--set", "a=1", "--set", "[REFUSED]=x"}), "hi\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("refused --set [REFUSED]=x"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("--unset [REFUSED]"), std::string::npos) << result.err;
}

TEST(FilterCommand, BareAndInactiveFiltersAreMadeAndUsedAsAsked) {
    commandResult result = runFilter(withFake({"--bare"}), "hi\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, fakeHeader(1, 3, "", "_zelNewFilter") + "hi\n");

    // Switched off, the plug-in hands back the host's own text, CR included.
    const std::string text = "caf\xc3\xa9\r\n";
    result = runFilter(withFake({"--inactive"}), text);
    EXPECT_EQ(result.out, text);
    result = runFilter(withFake({"--inactive", "--bare", "--raw"}), text);
    EXPECT_EQ(result.out, "caf\xe9\r\n");
    // With a reading forced, the text handed back is read that way once.
    result = runFilter(withFake({"--inactive", "--input-encoding", "utf-8"}), text);
    EXPECT_EQ(result.out, text);
    result = runFilter(withFake({"--inactive", "--input-encoding", "windows-1252", "--raw"}), text);
    EXPECT_EQ(result.out, text);
}

TEST(FilterCommand, FilesAndStandardInputGoThroughOneFilterInOrderWithSeparators) {
    const std::string one = writeFile("host-test-one.eml", "one");  // no line end: one is added
    const std::string two = writeFile("host-test-two.eml", "two\n");
    commandResult result = runFilter(withFake({one, two}));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, fakeHeader(1, 3) + "one\n" + "\n" + fakeHeader(2, 4) + "two\n");

    result = runFilter(withFake({"--separator", "-----", two, "-", one}), "stdin\n");
    EXPECT_EQ(result.out, fakeHeader(1, 4) + "two\n-----\n" + fakeHeader(2, 6) + "stdin\n-----\n" +
                              fakeHeader(3, 3) + "one\n");
}

TEST(FilterCommand, AMailboxIsSplitAtItsFromLinesAndUnquoted) {
    const std::string mailbox = writeFile("host-test.mbox",
                                          "From a@example.org Thu Mar  7 09:00:00 2024\n"
                                          "Subject: one\n"
                                          "\n"
                                          ">From the start\n"
                                          ">>From quoted\n"
                                          "not From here\n"
                                          "\n"
                                          "From b@example.org Thu Mar  7 10:00:00 2024\n"
                                          "Subject: two\n"
                                          "\n"
                                          "Fromage\n"
                                          "\n"
                                          "From c@example.org Thu Mar  7 11:00:00 2024\n"
                                          "SILENCE\n"
                                          "\n");
    const commandResult result = runFilter(withFake({"--mbox", mailbox, "-"}), "last\n");
    EXPECT_EQ(result.status, 0) << result.err;
    // The third message gives no text at all; its place is still marked.
    EXPECT_EQ(result.out, fakeHeader(1, 56) + "Subject: one\n\nFrom the start\n>From quoted\nnot From here\n" + "\n" +
                              fakeHeader(2, 22) + "Subject: two\n\nFromage\n" + "\n" + "\n" + fakeHeader(4, 5) +
                              "last\n");
    // No terminal here: no progress line.
    EXPECT_EQ(result.err, "");
}

TEST(FilterCommand, NulBytesAreLeftOutWithAWarningRatherThanCuttingTheMessage) {
    const commandResult result = runFilter(withFake({}), std::string("a\0b\n", 4));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, fakeHeader(1, 3) + "ab\n");
    EXPECT_NE(result.err.find("1 NUL byte left out"), std::string::npos) << result.err;
}

TEST(FilterCommand, AnInputThatCannotBeReadIsReportedAndTheOthersAreStillFiltered) {
    const std::string one = writeFile("host-test-one.eml", "one\n");
    const commandResult result = runFilter(withFake({one, "host-test-missing.eml", one}));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, fakeHeader(1, 4) + "one\n\n" + fakeHeader(2, 4) + "one\n");
    EXPECT_NE(result.err.find("cannot open host-test-missing.eml"), std::string::npos) << result.err;

    const commandResult mailbox = runFilter(withFake({"--mbox", "host-test-missing.mbox"}));
    EXPECT_EQ(mailbox.status, 1);
    EXPECT_NE(mailbox.err.find("host-test-missing.mbox"), std::string::npos) << mailbox.err;
}

TEST(FilterCommand, PluginsThatCannotBeLoadedOrLackAnExportAreRefused) {
    commandResult result = runFilter({"--plugin", buildPath(".", "host-test-no-such-plugin")}, "hi\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("cannot load the plug-in"), std::string::npos) << result.err;

    result = runFilter({"--plugin", incompletePlugin()}, "hi\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("has no export"), std::string::npos) << result.err;
}

TEST(FilterCommand, WrongCommandLinesAreRefusedWithStatusTwo) {
    const std::vector<std::vector<std::string>> wrong = {
        {"--frobnicate"}, {"-x"},         {"--language", "xx"}, {"--language"},         {"--set", "novalue"},
        {"--set", "=x"},  {"--unset", ""}, {"--raw=yes"},        {"--input-encoding", "latin9"}, {"--wav", ""},
        {"--register", "xx"}, {"--register", "fr", "--unregister", "fr"}, {"--register", "fr", "message.eml"}};
    for (const auto& arguments : wrong) {
        const commandResult result = runFilter(withFake(arguments), "hi\n");
        EXPECT_EQ(result.status, 2) << arguments[0];
        EXPECT_EQ(result.out, "") << arguments[0];
        EXPECT_NE(result.err.find("postsift-filter: "), std::string::npos) << arguments[0];
    }
    EXPECT_NE(runFilter({"--frobnicate"}).err.find("unknown option --frobnicate"), std::string::npos);
    EXPECT_NE(runFilter({"--set", "novalue"}).err.find("KEY=VALUE"), std::string::npos);

    // "--" ends the options: what follows is a file name.
    const commandResult dashed = runFilter(withFake({"--", "--raw"}));
    EXPECT_EQ(dashed.status, 1);
    EXPECT_NE(dashed.err.find("cannot open --raw"), std::string::npos) << dashed.err;
}

TEST(FilterCommand, HelpListsEveryOption) {
    const commandResult result = runFilter({"--help"});
    EXPECT_EQ(result.status, 0);
    for (const char* option : {"--language", "--plugin", "--config", "--built-ins", "--bare", "--inactive", "--set",
                               "--unset", "--mbox", "--input-encoding", "--separator", "--raw", "--echo", "--quiet",
                               "--speak", "--wav", "--version", "--register", "--unregister", "--report"}) {
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
    }
    EXPECT_NE(result.out.find("Examples:"), std::string::npos);
}

TEST(FilterCommand, RegisteringCallsThePluginsOwnExportAndReportsItsRefusal) {
    // A language by its folder or its code; --plugin names the file.
    commandResult result = runFilter(withFake({"--register", "german"}));
    EXPECT_EQ(result.status, 0) << result.err;
    const std::size_t called = result.out.find("[DllRegisterServer]");
    const std::size_t said = result.out.find("German plug-in registered: " + fakePlugin() + "\n");
    EXPECT_NE(called, std::string::npos) << result.out;
    EXPECT_NE(said, std::string::npos) << result.out;
    EXPECT_LT(called, said) << result.out;
    result = runFilter(withFake({"--unregister", "fr"}));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("[DllUnregisterServer]"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("French plug-in unregistered: "), std::string::npos) << result.out;

    // The plug-in's failure is the command's, with the reason.
    result = runFilter(withFake({"--register", "en"}), "", {"FAKE_REGISTRATION_FAILS=1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("[DllRegisterServer]"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("registered"), std::string::npos) << result.out;
    EXPECT_NE(result.err.find("DllRegisterServer failed (0x80004005)"), std::string::npos) << result.err;
    result = runFilter({"--plugin", incompletePlugin(), "--unregister", "de"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("has no export"), std::string::npos) << result.err;
}

TEST(FilterCommand, VersionSaysThePluginsVersionFirstThenItsOwn) {
    // The version the plug-in file carries: its version resource on
    // Windows, the major version of its soname elsewhere.
    const commandResult result = runFilter({"--version", "--language", "de"});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string lines = "plug-in version: " PLUGIN_FILE_VERSION "\npostsift-filter " POSTSIFT_VERSION_STRING
                              "\nlanguage: de (German)\nplug-in: ";
    const std::string file = buildPath("german", postsift::platform::pluginLibrary::fileName()) + "\n";
    EXPECT_EQ(result.out.substr(0, lines.size()), lines) << result.out;
    ASSERT_GE(result.out.size(), lines.size() + file.size()) << result.out;
    EXPECT_EQ(result.out.substr(result.out.size() - file.size()), file) << result.out;
    // The test plug-in carries no version.
    EXPECT_EQ(runFilter(withFake({"--version"})).out.substr(0, 27), "plug-in version: (unknown)\n");
}

// The real plug-ins, found beside the program.

namespace {

// A message whose spoken form is worked out by hand from the French
// built-in configuration: the header becomes the summary, ":-)" is dropped.
const char zavoMessage[] =
    "From: Zavo Zozu <zavo@example.org>\n"
    "Date: Mon, 13 Jan 2003 10:00:00 +0100\n"
    "Subject: Hello\n"
    "\n"
    "Hi there :-)\n";

const char zavoSpoken[] =
    " Vous avez re\xc3\xa7ut un message de  Zavo Zozu,  du  Lundi, 13 Jan 2003 10:00:00 +0100.  "
    "L'objet de ce message est:  Hello.  Le contenu du message est le suivant.\n"
    "Hi there \n";

std::string withCrLf(const std::string& text) {
    std::string out;
    for (const char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

}  // namespace

TEST(FilterCommand, TheFrenchPluginSpeaksAMessage) {
    const commandResult result = runFilter({}, zavoMessage);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, zavoSpoken);
}

TEST(FilterCommand, ACrLfMessageLeavesNothingStrayInTheSpokenText) {
    commandResult result = runFilter({"--language", "fr"}, withCrLf(zavoMessage));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, zavoSpoken);
    EXPECT_EQ(result.err, "");
    // The scanner wrote the five carriage returns, and nothing else.
    result = runFilter({"--echo"}, withCrLf(zavoMessage));
    EXPECT_EQ(result.err, "\r\r\r\r\r");
}

TEST(FilterCommand, ChangesReachTheRealPlugin) {
    // A symbol is replaced by removing it first.
    commandResult result = runFilter({"--unset", "[BODY]", "--set", "[BODY]=Voici le message."}, zavoMessage);
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string spoken = zavoSpoken;
    EXPECT_EQ(result.out, spoken.substr(0, spoken.find("Le contenu")) + "Voici le message.\nHi there \n");

    result = runFilter({"--set", "[BODY]=Voici le message."}, zavoMessage);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("--unset [BODY]"), std::string::npos) << result.err;

    const std::string reply = "Subject: Re\n\nYes.\n> earlier text\n";
    EXPECT_EQ(runFilter({}, reply).out.find("earlier text"), std::string::npos);
    result = runFilter({"--set", "[INCLUDE FORWARDED TEXT]=true"}, reply);
    EXPECT_NE(result.out.find("earlier text"), std::string::npos) << result.out;
}

TEST(FilterCommand, AConfigurationOfTheCommandLineReplacesTheOneBesideThePlugin) {
    const std::string config = writeFile("replacing.cfg", "[BODY]\n[BODY]\tVoici le message.\n");
    commandResult result = runFilter({"--config", config}, zavoMessage);
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string spoken = zavoSpoken;
    EXPECT_EQ(result.out, spoken.substr(0, spoken.find("Le contenu")) + "Voici le message.\nHi there \n");
    // The built-ins alone; a file that is not there is an error, not the built-ins.
    result = runFilter({"--built-ins"}, zavoMessage);
    EXPECT_EQ(result.out, zavoSpoken);
    result = runFilter({"--config", "no-such.cfg"}, zavoMessage);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("no-such.cfg"), std::string::npos) << result.err;
    EXPECT_EQ(runFilter({"--config", config, "--built-ins"}, zavoMessage).status, 2);
}

TEST(FilterCommand, AForcedReadingHoldsAgainstThePluginsOwnGuess) {
    // Undeclared bytes that are valid UTF-8 are read as UTF-8 by the plug-in,
    // unless the reader says they are Windows-1252: then "Ã©" is spoken.
    const std::string body = "Subject: x\n\ncaf\xc3\xa9\n";
    commandResult result = runFilter({"--bare", "--raw"}, body);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "\ncaf\xe9\n");
    result = runFilter({"--bare", "--raw", "--input-encoding", "windows-1252"}, body);
    EXPECT_EQ(result.out, "\ncaf\xc3\xa9\n");
}

TEST(FilterCommand, BareInactiveAndGermanPluginsBehaveAsTheirConfigurationSays) {
    // No entries at all: header items have nothing to be spoken by, the body stays.
    commandResult result = runFilter({"--bare"}, "Subject: Hello\n\nHi there\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "\nHi there\n");
    result = runFilter({"--bare", "--set", "Hi=Hello"}, "Subject: Hello\n\nHi there\n");
    EXPECT_EQ(result.out, "\nHello there\n");

    result = runFilter({"--inactive", "--language", "de"}, zavoMessage);
    EXPECT_EQ(result.out, zavoMessage);

    result = runFilter({"--language", "de"}, zavoMessage);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("Montag,"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("Es folgt die Nachricht."), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Lundi"), std::string::npos) << result.out;
}

TEST(FilterCommand, TheLocaleChoosesTheLanguage) {
    const auto spokenWith = [](const std::vector<std::string>& arguments, const std::vector<std::string>& locale) {
        return runFilter(arguments, zavoMessage, locale).out;
    };
    const auto says = [](const std::string& out, const char* phrase) { return out.find(phrase) != std::string::npos; };
    EXPECT_TRUE(says(spokenWith({}, {"LANG=de_DE.UTF-8"}), "Es folgt die Nachricht."));
    // LC_ALL comes first, then LC_MESSAGES, then LANG; an empty one counts as unset.
    EXPECT_TRUE(says(spokenWith({}, {"LC_ALL=en_GB.UTF-8", "LANG=de_DE.UTF-8"}), "The message follows."));
    EXPECT_TRUE(says(spokenWith({}, {"LC_ALL=", "LC_MESSAGES=en", "LANG=de_DE"}), "The message follows."));
    // A language without a build, or none, is French; so is the C locale.
    EXPECT_TRUE(says(spokenWith({}, {"LC_MESSAGES=es_ES.UTF-8", "LANG=de_DE"}), "Le contenu du message"));
    EXPECT_TRUE(says(spokenWith({}, {"LANG=C.UTF-8"}), "Le contenu du message"));
    EXPECT_TRUE(says(spokenWith({}, {"LANG=POSIX"}), "Le contenu du message"));
    // The command line wins.
    EXPECT_TRUE(says(spokenWith({"--language", "fr"}, {"LANG=en_US"}), "Le contenu du message"));
    const commandResult version = runFilter({"--version"}, "", {"LANG=en_US"});
    EXPECT_NE(version.out.find("language: en (English)"), std::string::npos) << version.out;
    const commandResult help = runFilter({"--help"});
    for (const char* listed : {"fr  French", "de  German", "en  English"})
        EXPECT_NE(help.out.find(listed), std::string::npos) << listed;
}

// Speech through eSpeak NG.

namespace {

bool espeakInstalled() {
    postsift::platform::childRun run;
    std::string error;
    return postsift::platform::runChild({"espeak-ng", "--version"}, std::string(), {}, run, error) ==
               postsift::platform::childStart::started &&
           run.status == 0;
}

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

}  // namespace

TEST(FilterCommand, WavWritesSpeechOfPlausibleLength) {
    if (!espeakInstalled()) GTEST_SKIP() << "espeak-ng cannot be started here (not installed?): the --wav test does not run";
    const std::string wav = "host-test-speech.wav";
    std::remove(wav.c_str());
    const commandResult result = runFilter({"--wav", wav}, zavoMessage);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, zavoSpoken);

    std::ifstream in(wav, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 4), "WAVE");
    const std::uint32_t byteRate = littleEndian(bytes, 28, 4);
    ASSERT_GT(byteRate, 0u);
    // About thirty words: many seconds of speech, not a blip and not an hour.
    const double seconds = static_cast<double>(bytes.size() - 44) / byteRate;
    EXPECT_GT(seconds, 4.0);
    EXPECT_LT(seconds, 60.0);
}

TEST(FilterCommand, SpeechWithoutEspeakFailsClearlyBeforeAnyWork) {
    for (const char* option : {"--speak", "--wav"}) {
        std::vector<std::string> arguments = withFake({option});
        if (arguments.back() == "--wav") arguments.push_back("host-test-never.wav");
        const commandResult result = runFilter(arguments, "hi\n", {"PATH=" + buildFile("host-test-plugins")});
        EXPECT_EQ(result.status, 1) << option;
        EXPECT_EQ(result.out, "") << option;
        EXPECT_NE(result.err.find("espeak-ng"), std::string::npos) << result.err;
    }
}
