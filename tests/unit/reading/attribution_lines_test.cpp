// Attribution lines: what their text says, and when a line is one.
#include "reading/rules/attribution_reading.h"
#include "reading_fixture.h"

using namespace postsift;

TEST(Attribution, NamesWhoWroteAndNothingElse) {
    struct example {
        const char* text;
        bool isAttribution;
        const char* name;
    };
    const example examples[] = {
        {"\"Smith, Bob\" <b@x.com> writes:", true, "Smith, Bob"},
        {"\"Jo\"\"Ann  Lee\" <jo@x.org> wrote:", true, "JoAnn Lee"},
        {"On 4/4/2012 3:59 PM, \"Smith, Bob\" <b@x.com> WROTE:", true, "Smith, Bob"},
        {"On Tue, Mar 11, 2025 at 9:12 AM Lea Roth <lea@example.org> wrote:", true, "Lea Roth"},
        {"Le 23/01/2015 22:03, Brendan a ecrit:", true, "Brendan"},
        {"Le jeu. 12 juin 2025 \xe0 14:14, Bruno <b@exemple.fr> a \xe9" "crit :", true, "Bruno"},
        {"Jonas Brandt schrieb am 14.03.2025 10:12:", true, "Jonas Brandt"},
        {"Jonas Brandt hat am 14.03.2025 geschrieben:", true, "Jonas Brandt"},
        {"Am 14.03.2025 hat Jonas Brandt geschrieben:", true, "Jonas Brandt"},
        {"Am 14.03.2025 um 10:12 schrieb j@x.de:", true, ""},
        {"On Tuesday Bob wrote:", true, "Bob"},
        {"Bruno Keller said:", true, "Bruno Keller"},
        {"On Wed, Aug 21, 2002 at 12:30:12PM +0100, Anna Berg mentioned:", true, "Anna Berg"},
        // Written to the reader: no name.
        {"Sunday, August 11, 2002, 2:54:10 PM, you wrote:", true, ""},
        {"Le 3 mars 2003 12:43, vous avez \xe9" "crit :", true, ""},
        {"Le 3 mars 2003, tu as \xe9" "crit :", true, ""},
        {"Sie schrieben:", true, ""},
        {"Am 3. M\xe4rz 2003 um 12:43 du schriebst:", true, ""},
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

TEST_F(ReadingPass, HistoryUnderAnAttributionOnlyWhenNoQuoteFollows) {
    rule("[DROP ATTRIBUTION]", "true");
    rule("[FIND ORIGINAL MESSAGE]", "true");
    rule("[INCLUDE FORWARDED TEXT]", "false");
    const std::string attribution = "On Mon, 1 Jan 2024 at 9:12, Anne <a@x.org> wrote:\n";
    // A note between the attribution and its quote makes it no
    // attribution, and neither it nor the answer after the quote history.
    // (The quote's words, which nobody hears, are left out; its mark stays.)
    EXPECT_EQ(read("Hi.\n" + attribution + "See this:\n\n> q\nanswer\n"),
              "Hi.\n" + attribution + "See this:\n\n> \nanswer\n");
    // No quote below: the earlier message without '>' marks.
    EXPECT_EQ(read("Yes.\n\n" + attribution + "\nold\n"), "Yes.\n\n-----Original Message-----\n\nold\n");
    // Ending a line of reply text, with no sentence's end before it. One
    // quoted by another mark is quoted text, and no history begins there.
    EXPECT_EQ(read("Sounds good " + attribution + "> q\n"), "Sounds good\n> \n");
    EXPECT_EQ(read(" > " + attribution + " > q\n"), ">  " + attribution + ">  q\n");
}

TEST_F(ReadingPass, HistoryWithNothingOfOneOwnAboveIsReadAsAForward) {
    rule("[DROP ATTRIBUTION]", "true");
    rule("[READ FORWARDED MESSAGES]", "true");
    rule("[INCLUDE FORWARDED TEXT]", "false");
    symbol("[FORWARDED MESSAGE]", "(from %s)");
    EXPECT_EQ(read("\nOn Mon, 1 Jan 2024 at 9:12, Anne <a@x.org> wrote:\n\nold\n"), "\n(from Anne)\n\nold\n");
    // With words of one's own above it, it is history.
    EXPECT_EQ(read("Yes.\nOn Mon, 1 Jan 2024 at 9:12, Anne <a@x.org> wrote:\n\nold\n"),
              "Yes.\n-----Original Message-----\n\nold\n");
}
