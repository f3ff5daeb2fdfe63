// The reading pass, text in and text out, where the e2e messages do not
// reach: the edges of links, armour and signatures, and inputs built to
// make a careless pass slow.
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "reading/rules/attribution_reading.h"
#include "reading/pass/reading_pass.h"
#include "filter_fixture.h"

using namespace postsift;

namespace {

class ReadingPass : public filterFixture {
protected:
    // The rewritten text, or "<as it came>" when the pass did not run.
    std::string read(const std::string& message) {
        ownedText out;
        if (!rewriteForReading(filter, message.c_str(), message.size(), out)) return "<as it came>";
        return std::string(out.get(), out.length());
    }
};

}  // namespace

TEST_F(ReadingPass, RunsOnlyForAnOptionThatSaysTrue) {
    EXPECT_EQ(read("Hi http://a.b\n"), "<as it came>");
    rule("[SPEAK LINKS]", "TRUE");
    rule("[DROP SIGNATURE]", "false");
    EXPECT_EQ(read("Hi http://a.b\n"), "<as it came>");
    rule("[DROP SIGNED ARMOUR]", "untrue");
    EXPECT_EQ(read(""), "");
}

TEST_F(ReadingPass, LinksNameTheirHostOnly) {
    rule("[SPEAK LINKS]", "true");
    symbol("[LINK]", "{%s}");
    EXPECT_EQ(read("http://[::1]:80/x https://u@H.Example:8/ mailto:a@b.c?to=d@e.f "
                   "WWW.x.org, www.\n"),
              "{[::1]} {H.Example} {b.c} {x.org}, www.\n");
    // Without a host there is no link; inside a word neither.
    EXPECT_EQ(read("http:// mailto:nobody xhttp://a.b user@www.a.b\n"),
              "http:// mailto:nobody xhttp://a.b user@www.a.b\n");
    // An angle bracket that never closes lets the link end with its line;
    // a short line does not run on into the next.
    EXPECT_EQ(read("<http://a.b/c\nd\ne\nf\ng> h\nsee http://a.b/\nx/y\n"), "{a.b}\nd\ne\nf\ng> h\nsee {a.b}\nx/y\n");
}

TEST_F(ReadingPass, ArmourAtItsOwnQuoteDepth) {
    rule("[DROP SIGNED ARMOUR]", "true");
    EXPECT_EQ(read("Hi\n> -----BEGIN PGP SIGNED MESSAGE-----\n> Hash: SHA1\n>\n> - signed\n"
                   ">> - deeper\n> -----BEGIN PGP SIGNATURE-----\n> abc+/=\n> -----END PGP SIGNATURE-----\n"
                   "- mine\n"),
              "Hi\n> signed\n>> - deeper\n- mine\n");
    // A signature block that never ends stops at the first line that is no armour.
    EXPECT_EQ(read("-----BEGIN PGP SIGNATURE-----\r\nVersion: 1\r\nabc=\r\nNot armour.\r\nabc\r\n"),
              "Not armour.\r\nabc\r\n");
}

TEST_F(ReadingPass, ASignatureEndsWhereAnEarlierMessageBegins) {
    rule("[DROP SIGNATURE]", "true");
    EXPECT_EQ(read("Text\r\n-- \r\nMe\r\n-----Original Message-----\r\nOld\r\n"),
              "Text\r\n-----Original Message-----\r\nOld\r\n");
    // Only a line that is exactly "-- " or "--".
    EXPECT_EQ(read("a\n--  \n -- \n--x\nb\n"), "a\n--  \n -- \n--x\nb\n");
}

TEST_F(ReadingPass, MarkersThatShareAPhraseAreSaidOnce) {
    rule("[SQUEEZE REPLY MARKERS]", "true");
    rule("Re:", "Antwort:");
    rule("AW:", "[REPLACE WORD]Antwort:");
    rule("SV:", "[REMOVE WORD]");
    rule("Subject:", "Betreff: %s");
    symbol("[SUBJECT]", "Betreff:|Subject:");
    EXPECT_EQ(read("Subject:  Re:\tAW: re: Hallo Re: Re:\nBetreff: AW: SV: AW: x\nTo: Re: Re:\n\n"
                   "> Subject: Re: Re: y\nSubject: Subject: Subject: z\n"),
              "Subject:  Re:\tHallo Re: Re:\nBetreff: AW: SV: AW: x\nTo: Re: Re:\n\n"
              "> Subject: Re: y\nSubject: Subject: Subject: z\n");
}

TEST_F(ReadingPass, WrappedParagraphsAreJoinedAndEndTheirSentence) {
    rule("[READ PARAGRAPHS]", "true");
    EXPECT_EQ(read("La reunion de demain est deplacee a jeudi parce que la salle du premier\n"
                   "etage est reservee par la direction pour toute la journee\n\n"
                   "Bonjour,\nCamille\n- un\n- deux\n"
                   "> cite sur une ligne longue de plus de quarante caracteres ici\n> et sa suite\n"
                   "Note: pas une ligne de texte\n"
                   "Ceci est une ligne assez longue pour passer pour du texte\r\nreplie.\r\n"),
              "La reunion de demain est deplacee a jeudi parce que la salle du premier etage est reservee par la "
              "direction pour toute la journee.\n\nBonjour.\nCamille.\n- un.\n- deux.\n"
              "> cite sur une ligne longue de plus de quarante caracteres ici et sa suite.\n"
              "Note: pas une ligne de texte\n"
              "Ceci est une ligne assez longue pour passer pour du texte replie.\r\n");
}

TEST_F(ReadingPass, SymbolRunsAreSilentButNotPunctuationOrRules) {
    rule("[QUIET SYMBOLS]", "true");
    rule("-->", "fl\xe8" "che");
    rule(":-)", "[REMOVE WORD]");
    EXPECT_EQ(read("<><><> ok ---~--> ... ?! =-=-= --> 10-12 :-) >>> x\n> >>> quoted\n"),
              " ok  ... ?!  --> 10-12 :-)  x\n> >>> quoted\n");
}

TEST(Attribution, NamesWhoWroteAndNothingElse) {
    struct example {
        const char* text;
        bool isAttribution;
        const char* name;
    };
    const example examples[] = {
        {"\"Smith, Bob\" <b@x.com> writes:", true, "Smith, Bob"},
        {"On 4/4/2012 3:59 PM, \"Smith, Bob\" <b@x.com> WROTE:", true, "Smith, Bob"},
        {"On Tue, Mar 11, 2025 at 9:12 AM Lea Roth <lea@example.org> wrote:", true, "Lea Roth"},
        {"Le 23/01/2015 22:03, Brendan a ecrit:", true, "Brendan"},
        {"Le jeu. 12 juin 2025 \xe0 14:14, Bruno <b@exemple.fr> a \xe9" "crit :", true, "Bruno"},
        {"Jonas Brandt schrieb am 14.03.2025 10:12:", true, "Jonas Brandt"},
        {"Jonas Brandt hat am 14.03.2025 geschrieben:", true, "Jonas Brandt"},
        {"Am 14.03.2025 hat Jonas Brandt geschrieben:", true, "Jonas Brandt"},
        {"Am 14.03.2025 um 10:12 schrieb j@x.de:", true, ""},
        {"On Tuesday Bob wrote:", true, "Bob"},
        // The other languages' wordings.
        {"Op 11 mrt. 2025 om 09:12 heeft Daan <d@x.nl> het volgende geschreven:", true, "Daan"},
        {"Den 11 mars 2025 09:12 skrev Elin <e@x.se>:", true, "Elin"},
        {"Den 11. mar. 2025 kl. 09.12 skrev Mette Holm <m@x.dk>:", true, "Mette Holm"},
        {"W dniu 11 marca 2025 09:12 uzytkownik Ola <o@x.pl> napisal:", true, "Ola"},
        {"El 11 mar 2025, a las 9:12, Ana <a@x.es> escribi\xf3:", true, "Ana"},
        {"Il giorno 11 mar 2025, alle ore 09:12, Luca <l@x.it> ha scritto:", true, "Luca"},
        {"Em 11 de mar. de 2025, \xe0s 09:12, Rui <r@x.pt> escreveu:", true, "Rui"},
        // By their shape: a date at one end, a name or an address.
        {"11.03.2025 09:12 \"Lea\" <lea@example.org>:", true, "Lea"},
        {"11.03.2025, 09:12, \"Lea Roth\" <lea@example.org>:", true, "Lea Roth"},
        {"2025/3/11 Kenji <kenji@example.jp>", true, "Kenji"},
        {"Lea Roth, 11.03.2025 09:12:", true, "Lea Roth"},
        // Sentences.
        {"Meeting at 10:00 with Marc:", false, ""},
        {"In his report on the incident the manager wrote:", false, ""},
        {"Here is the plan for 2025:", false, ""},
        {"2025/3/11 Kenji", false, ""},
        {"Bob rewrote:", false, ""},
        {"Bob wrote: yes", false, ""},
    };
    for (const example& e : examples) {
        const attributionReading reading = readAttribution(e.text);
        EXPECT_EQ(reading.found, e.isAttribution) << e.text;
        if (e.isAttribution) {
            EXPECT_EQ(reading.name, e.name) << e.text;
        }
    }
}

TEST_F(ReadingPass, AttributionsNeedTheQuoteAndAParagraphIsNoDate) {
    rule("[DROP ATTRIBUTION]", "true");
    rule("[INCLUDE FORWARDED TEXT]", "true");
    symbol("[ATTRIBUTION]", "(%s)");
    // Quoted attributions speak for deeper quotes; at most three blank
    // lines may stand between; a paragraph that begins "Le" is no date.
    EXPECT_EQ(read("> Bob wrote:\n>\n>> x\nAl wrote:\n\n\n\n\n> y\n"
                   "Le rapport de 2003 est pret,\nBrendan a \xe9" "crit :\n> z\n"),
              "> (Bob)\n>\n>> x\nAl wrote:\n\n\n\n\n> y\nLe rapport de 2003 est pret,\n(Brendan)\n> z\n");
    // Without quoted text after it, or with the new forms of earlier
    // messages not looked for, an attribution stays.
    EXPECT_EQ(read("Bob wrote:\n\nFrom: a\nTo: b\n"), "Bob wrote:\n\nFrom: a\nTo: b\n");
    EXPECT_EQ(read("Bob wrote:\n-----Original Message-----\n"), "(Bob)\n-----Original Message-----\n");
}

TEST_F(ReadingPass, EarlierMessagesBeginOnceAndOnlyAfterText) {
    rule("[FIND ORIGINAL MESSAGE]", "true");
    // A block at the top of the body is the message's own text; a lone
    // "From:" starts nothing; a block after text does, and a second one
    // inside it only has its header lines made plain.
    EXPECT_EQ(read("\nFrom: a\nTo: b\n\nHi\nFrom: c\n\n*From:* d [mailto:d@x.y]\n*Sent:* e\n"
                   "Text\n\n--------- Forwarded message ---------\nDe : f\n"),
              "\nFrom: a\nTo: b\n\nHi\nFrom: c\n\n-----Original Message-----\nFrom: d <d@x.y>\nSent: e\n"
              "Text\n\n--------- Forwarded message ---------\nDe: f\n");
}

TEST_F(ReadingPass, StaysLinearOnInputsBuiltAgainstIt) {
    rule("[SPEAK LINKS]", "true");
    symbol("[LINK]", "{%s}");
    // A run full of link starts that name no host, and a link followed by
    // a mountain of closing brackets: a pass that tried every start again,
    // or counted the brackets again for each one it trims, would take
    // minutes here.
    std::string starts;
    for (int i = 0; i < 20000; ++i) starts += "(http:///";
    const std::string brackets(100000, ')');
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(read(starts + "\nsee http://a.b" + brackets + "\n"), starts + "\nsee {a.b}" + brackets + "\n");
    // Milliseconds when linear, even under a sanitizer or wine; tens of
    // seconds when not. The ceiling leaves room for a loaded machine.
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(3));
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
