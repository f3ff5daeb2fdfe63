// The pass as a whole: when it runs, and that whatever the mix of rules it
// writes only the message's own lines, and reads no byte outside it.
#include <random>
#include <string>
#include <vector>

#include "reading_fixture.h"

using namespace postsift;

TEST_F(ReadingPass, RunsOnlyForAnOptionThatSaysTrue) {
    EXPECT_EQ(read("Hi http://a.b\n"), "<as it came>");
    rule("[SPEAK LINKS]", "TRUE");
    rule("[DROP SIGNATURE]", "false");
    EXPECT_EQ(read("Hi http://a.b\n"), "<as it came>");
    rule("[DROP SIGNED ARMOUR]", "untrue");
    EXPECT_EQ(read(""), "");
}

namespace {

// A message of random lines made of the pieces the pass looks for.
std::string randomMessage(std::mt19937& random) {
    static const char* const pieces[] = {
        "> ", ">>", "-- ", "--", "- ", "<http://a.b/", "www.x.y", "mailto:a@b", ">", "(", ")", " ", "text",
        "-----BEGIN PGP SIGNED MESSAGE-----", "Hash: SHA1", "-----BEGIN PGP SIGNATURE-----",
        "-----END PGP SIGNATURE-----", "abc=", "From: ", "*Von:* ", "De : ", "Subject: ", "Re: ", "AW: ",
        "wrote:", " schrieb ", "On 4 Wed, ", "__________", "-------- Forwarded message --------",
        "boundary=\"b\"", "--b", "[mailto:c@d]", "\r", "\xe9", ":", "AB> ", "K>", "Den 11 mars 2025 09:12 skrev ",
        "11.03.2025 09:12 ", " escribio:", "heeft ", "Begin forwarded message:", "Subject: Fwd: ", "Sounds good. ",
        "Le 11 mars 2025 \xe0 09:12, B <b@x> a \xe9" "crit :", "-----Original Message-----"};
    std::string message;
    const int lines = static_cast<int>(random() % 12);
    for (int line = 0; line < lines; ++line) {
        const int count = static_cast<int>(random() % 5);
        for (int i = 0; i < count; ++i) message += pieces[random() % (sizeof pieces / sizeof pieces[0])];
        if (random() % 8 != 0) message += '\n';
    }
    return message;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t feed = text.find('\n', start);
        const std::size_t end = feed == std::string::npos ? text.size() : feed + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

// The line as the armour may leave it: "- " taken from after its prefix.
bool isLineOrUnescaped(const std::string& written, const std::string& line) {
    if (written == line) return true;
    std::size_t prefix = 0;
    if (!line.empty() && line[0] == '>')
        while (prefix < line.size() && (line[prefix] == '>' || line[prefix] == ' ' || line[prefix] == '\t')) ++prefix;
    return line.compare(prefix, 2, "- ") == 0 && written == line.substr(0, prefix) + line.substr(prefix + 2);
}

}  // namespace

TEST_F(ReadingPass, LeavesOutWholeLinesOnlyAndSurvivesAnyMix) {
    rule("[DROP SIGNATURE]", "true");
    rule("[DROP SIGNED ARMOUR]", "true");
    filterEntry* links = rule("[SPEAK LINKS]", "false");
    filterEntry* others[] = {rule("[SQUEEZE REPLY MARKERS]", "false"), rule("[DROP ATTRIBUTION]", "false"),
                             rule("[FIND ORIGINAL MESSAGE]", "false"), rule("[READ FORWARDED MESSAGES]", "false")};
    rule("Re:", "Antwort:");
    symbol("[SUBJECT]", "Subject:");
    std::mt19937 random(12);
    for (int round = 0; round < 3000; ++round) {
        const std::string message = randomMessage(random);
        // Signatures and armour: what is written is the message's own lines,
        // in order, some left out, some without their dash-escape.
        const std::vector<std::string> in = linesOf(message);
        std::size_t next = 0;
        for (const std::string& written : linesOf(read(message))) {
            while (next < in.size() && !isLineOrUnescaped(written, in[next])) ++next;
            ASSERT_LT(next, in.size()) << "wrote a line the message does not hold: " << written << "\nin:\n" << message;
            ++next;
        }
        // Everything at once: under the sanitizers, no byte is read outside
        // the message.
        links->replaceValue("true");
        for (filterEntry* option : others) option->replaceValue("true");
        read(message);
        links->replaceValue("false");
        for (filterEntry* option : others) option->replaceValue("false");
    }
}
