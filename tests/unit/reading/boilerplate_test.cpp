// Boilerplate held until its text ends, the sentence that says what was
// left out, and hosts named once a paragraph, against a simple model.
#include <algorithm>
#include <cctype>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "reading/lines/part_boundaries.h"
#include "reading_fixture.h"

using namespace postsift;

namespace {

std::string withoutCr(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

const std::string choirList = "List-Id: Choir talk <choir-talk.lists.example.net>\n";

}  // namespace

class Boilerplate : public ReadingPass {
protected:
    Boilerplate() { rule("[LEAVE OUT BOILERPLATE]", "true"); }

    // The text read, checked to read the same with CR LF line ends.
    std::string reads(const std::string& message) {
        const std::string lf = read(message);
        EXPECT_EQ(withoutCr(read(withCrLf(message))), lf) << "with CR LF: " << message;
        return lf;
    }
};

TEST_F(Boilerplate, AFooterGoesOnlyWhereItsTextEnds) {
    const std::string footer =
        "____________________\nChoir-talk mailing list\nhttps://lists.example.net/mailman/listinfo/choir-talk\n";
    // At the end of the text, with its rule line and the blank line above.
    EXPECT_EQ(reads(choirList + "\nThe rehearsal moves.\n\n" + footer),
              choirList + "\nThe rehearsal moves.\n");
    // At the end of a part, before the next boundary. The list's field,
    // which the scanner drops, is read all the same, and left out of the
    // text where another field follows it.
    const std::string mime = "Content-Type: multipart/mixed; boundary=\"b\"\n\n--b\n\nThe rehearsal moves.\n\n";
    EXPECT_EQ(reads(choirList + mime + footer + "--b--\n"), mime.substr(0, mime.size() - 1) + "--b--\n");
    // Followed by the sender's text, it stays.
    EXPECT_EQ(reads(choirList + "\nOne.\n\n" + footer + "\nTwo.\n"), choirList + "\nOne.\n\n" + footer + "\nTwo.\n");
    // Without list fields: under a rule line and with a subscription link,
    // or not at all.
    EXPECT_EQ(reads("Hi.\n\n-----\nhttps://lists.example.net/mailman/listinfo/choir-talk\n"), "Hi.\n");
    EXPECT_EQ(reads("Hi.\n\nhttps://lists.example.net/mailman/listinfo/choir-talk\n"),
              "Hi.\n\nhttps://lists.example.net/mailman/listinfo/choir-talk\n");
    // The sender's initial above the footer, in its paragraph, stays; so
    // does a line that links elsewhere too.
    const std::string fork = "List-Id: Friends <fork.example.com>\n\n";
    EXPECT_EQ(reads(fork + "Old news.\nR\nhttp://example.com/mailman/listinfo/fork\n"), fork + "Old news.\nR\n");
    EXPECT_EQ(reads(fork + "See http://news.example.org/x http://example.com/mailman/listinfo/fork\n"),
              fork + "See http://news.example.org/x http://example.com/mailman/listinfo/fork\n");
}

TEST_F(Boilerplate, TheListIsKnownByAFoldedFieldOrByItsSender) {
    // No rule line above the footer: only the list's own fields tell it
    // from the sender's lines, whether its value goes on in a folded line
    // or the list sends the message itself; in either case.
    const std::string body = "\nThe rehearsal moves.\n";
    const std::string footer = "\nChoir-talk mailing list\nhttps://lists.example.net/mailman/listinfo/choir-talk\n";
    const std::string headers[] = {
        "List-Post:\n <mailto:choir-talk@lists.example.net>\n",
        "List-Unsubscribe: <https://other.example.org/u>,\n\t<mailto:choir-talk-request@lists.example.net>\n",
        "Sender: choir-talk-bounces@lists.example.net\nSubject: x\n",
        "List-Id: Choir Talk <Choir-Talk.Lists.Example.NET>\n",
        "List-Post: <MAILTO:Choir-Talk@Lists.Example.Net>\n",
        "List-Unsubscribe: <https://other.example.org/u>,\n\t<MailTo:Choir-Talk-REQUEST@Lists.Example.Net>\n",
        "List-Archive: <HTTPS://Lists.Example.NET/MAILMAN/LISTINFO/Choir-Talk>\n",
        "Sender: OWNER-Choir-Talk@Lists.Example.Net\n",
        "Precedence: BULK\nSender: Choir-Talk@Lists.Example.Net\n",
    };
    for (const std::string& header : headers) EXPECT_EQ(reads(header + body + footer), reads(header + body)) << header;
    // A sender that is no list's address names none, unless the message
    // came as a list's.
    for (const std::string unknown : {"Sender: anne@example.org\n", "Sender: Choir-Talk@Lists.Example.Net\n"})
        EXPECT_NE(reads(unknown + body + footer), reads(unknown + body)) << unknown;
}

TEST_F(Boilerplate, NoticesGoAtTheStartOrTheEndButNeverAreTheWholeMessage) {
    EXPECT_EQ(reads("From: x\n\nYou are receiving this because you joined the choir list.\n\nRehearsal moves.\n"),
              "From: x\n\nRehearsal moves.\n");
    EXPECT_EQ(reads("From: x\n\nRehearsal moves.\n\nTo stop receiving these reminders, reply STOP.\n"),
              "From: x\n\nRehearsal moves.\n");
    EXPECT_EQ(reads("From: x\n\nDie Probe beginnt um acht.\n\nSie erhalten diese E-Mail, weil Sie den Newsletter "
                    "abonniert haben.\nAbmelden: https://chor.beispiel.de/abmelden\n"),
              "From: x\n\nDie Probe beginnt um acht.\n");
    // In the middle, as the whole message, or in a sentence of the
    // sender's own, they stay.
    const std::string kept[] = {
        "From: x\n\nOne.\n\nTo unsubscribe, write to choir-request@example.net.\n\nTwo.\n",
        "From: x\n\nTo unsubscribe, write to choir-request@example.net.\n",
        "From: x\n\nSee you.\n\nPlease don't unsubscribe me, I like the list.\n",
        "From: x\n\nSee you.\n\nIf your posting address changes, I will hold your subscription for review.\n",
    };
    for (const std::string& message : kept) EXPECT_EQ(reads(message), message);
}

TEST_F(Boilerplate, ASponsorBetweenRuleLinesGoesWherever) {
    EXPECT_EQ(reads("Hello.\n\n-----\nThis list is sponsored by ExampleHost: http://host.example.com/win\n-----\n\n"
                    "Bye.\n"),
              "Hello.\n-----\n\nBye.\n");
    // The word alone, in the sender's text, is no sponsor's block.
    const std::string kept = "Hello.\n\nOur sponsor lent the hall, see http://host.example.com/hall\n\nBye.\n";
    EXPECT_EQ(reads(kept), kept);
}

TEST_F(Boilerplate, DisclaimersGoAtTheEndUnlessTheyAreTheMessage) {
    const std::string legal =
        "This message and its attachments are confidential and may be legally privileged. If you are not the\n"
        "intended recipient, please delete it and notify the sender.\n";
    EXPECT_EQ(reads("From: x\n\nThe report is attached.\n\n" + legal), "From: x\n\nThe report is attached.\n");
    // Above an earlier message, it ends its text too.
    EXPECT_EQ(reads("From: x\n\nThe report.\n\n" + legal + "\n-----Original Message-----\nOld.\n"),
              "From: x\n\nThe report.\n-----Original Message-----\nOld.\n");
    // Lines a program adds go with it, or alone, at the end.
    EXPECT_EQ(reads("From: x\n\nThe report.\n\nChecked for viruses by ExampleScan.\n\nSent from my phone\n"),
              "From: x\n\nThe report.\n");
    EXPECT_EQ(reads("From: x\n\nThe report.\nSent from my phone\nMore text.\n"),
              "From: x\n\nThe report.\nSent from my phone\nMore text.\n");
    const std::string kept[] = {
        "From: x\n\n" + legal,
        "From: x\n\nHere is the clause we agreed on:\n\n" + legal,
        "From: x\n\nPlease keep this message confidential until Monday.\n",
    };
    for (const std::string& message : kept) EXPECT_EQ(reads(message), message);
}

TEST_F(Boilerplate, AContactBlockIsASignatureButNotAListOrProse) {
    rule("[DROP SIGNATURE]", "true");
    EXPECT_EQ(reads("Thanks for the samples.\n\nRegards,\nJohn Smith\nSenior Technician, Soil Laboratory\n"
                    "Example Institute of Agriculture\n(02) 555 0199\n"),
              "Thanks for the samples.\n\nRegards,\nJohn Smith\n");
    const std::string kept[] = {
        "Thanks.\n\nRegards,\nJohn Smith\nThe samples arrived on Monday morning at the lab.\n"
        "We will test them this week and report back to you.\nCall me if the lab needs anything else from us.\n",
        "Here are the numbers you asked for:\n\nAnna (02) 555 0101\nBen (02) 555 0102\nCarl (02) 555 0103\n",
        "Regards,\nJohn Smith\nSenior Technician, Soil Laboratory\n(02) 555 0199\n\nP.S. The samples are in.\n",
    };
    for (const std::string& message : kept) EXPECT_EQ(reads(message), message);
}

TEST_F(Boilerplate, AFooterJoinedToTheLineAboveIsCutFromIt) {
    rule("[READ PARAGRAPHS]", "true");
    // The paragraph rule joins the footer's line to the line above it,
    // whose sentence goes on in small letters; cut from it, the line above
    // ends its sentence again, and its line end is put back after the blank
    // that joined them.
    EXPECT_EQ(reads(choirList + "\nThe rehearsal on Thursday moves to the small hall at the back\n"
                                "of the school, next to the gymnasium and the car park\n"
                                "choir-talk mailing list https://lists.example.net/listinfo/choir-talk\n"),
              choirList + "\nThe rehearsal on Thursday moves to the small hall at the back "
                          "of the school, next to the gymnasium and the car park. \n");
}

TEST_F(Boilerplate, AFooterNamesTheListInEitherCase) {
    // Its name in capitals, a tab between its words, and its host in
    // capitals in the link: the footer still names the list.
    EXPECT_EQ(reads(choirList + "\nSee you Thursday.\nCHOIR\tTALK\nHTTPS://LISTS.EXAMPLE.NET/mailman/listinfo/choir-talk\n"),
              choirList + "\nSee you Thursday.\n");
}

// Once a segment has the sender's text, its blocks are judged only when
// their verdict can count, from the last back: what goes must be what an
// eager judge would take, from wherever in a block it begins.
TEST_F(Boilerplate, ABlockJudgedLateIsJudgedAsInItsTurn) {
    const std::string legal =
        "This message and its attachments are confidential and may be legally privileged. If you are not the\n"
        "intended recipient, please delete it and notify the sender.\n";
    // What goes begins inside the paragraph above the disclaimer.
    EXPECT_EQ(reads("From: x\n\nOne.\n\nTwo.\nSent from my phone\n\n" + legal), "From: x\n\nOne.\n\nTwo.\n");
    // The block above introduces the disclaimer, unless it is a line a
    // program added, which introduces nothing.
    const std::string introduced = "From: x\n\nOne.\n\nTwo.\n\nHere is the clause we agreed on:\n\n" + legal;
    EXPECT_EQ(reads(introduced), introduced);
    EXPECT_EQ(reads("From: x\n\nOne.\n\nTwo.\nSent from my phone:\n\n" + legal), "From: x\n\nOne.\n\nTwo.\n");
    // What is held when the noting begins is held on: it goes with what
    // follows it to the end, and stays where text follows.
    EXPECT_EQ(reads("From: x\n\nOne.\n\n" + legal + "\nSent from my phone\n"), "From: x\n\nOne.\n");
    EXPECT_EQ(reads("From: x\n\nOne.\n\n" + legal + "\nTwo.\n\n" + legal), "From: x\n\nOne.\n\n" + legal + "\nTwo.\n");
    // Another rule changes the lines written above it.
    rule("[READ PARAGRAPHS]", "true");
    const std::string joined = "From: x\n\nOne.\n\nThe hall is booked for the whole\nevening of the concert.\n\n"
                               "Two lines\nof text\n";
    EXPECT_EQ(reads(joined + "\n" + legal), reads(joined));
}

// A block judged late sees the boundaries it would have seen at its first
// line: those that a line up to it declared.
TEST(PartBoundaries, ABoundaryCountsFromTheLineThatDeclaresIt) {
    const std::string text = "x\nsee boundary=\"zz\"\n--zz\n--zz--\n";
    const char* end = text.data() + text.size();
    const messageLine before = lineAt(text.data(), end);
    const messageLine declaring = lineAt(before.next, end);
    partBoundaries boundaries;
    boundaries.observe(before);
    boundaries.observe(declaring);
    for (const messageLine line : {lineAt(declaring.next, end), lineAt(lineAt(declaring.next, end).next, end)}) {
        EXPECT_TRUE(boundaries.isBoundaryLine(line));
        EXPECT_TRUE(boundaries.isBoundaryLine(line, declaring.begin));
        EXPECT_FALSE(boundaries.isBoundaryLine(line, before.begin));
    }
    EXPECT_FALSE(boundaries.isBoundaryLine(before));
}

TEST_F(Boilerplate, ALongTextIsJudgedInStretches) {
    const std::string legal =
        "This message and its attachments are confidential and may be legally privileged. If you are not the\n"
        "intended recipient, please delete it and notify the sender.\n";
    // Paragraphs of one to three lines, more than the output keeps places
    // for at once, with a notice among them wherever one stretch ends and
    // the next begins: the notice has text after it and stays.
    for (int notice = 20; notice < 40; ++notice) {
        std::string message = "From: x\n";
        for (int paragraph = 0; paragraph < 45; ++paragraph) {
            message += '\n';
            if (paragraph == notice) {
                message += "To unsubscribe, write to choir-request@example.net.\n";
                continue;
            }
            for (int line = 0; line <= paragraph % 3; ++line) message += "Line " + std::to_string(line) + ".\n";
        }
        EXPECT_EQ(reads(message), message) << notice;
        EXPECT_EQ(reads(message + "\n" + legal), message) << notice;
    }
}

class LeftOut : public ReadingPass {
protected:
    LeftOut() {
        rule("[SAY WHAT WAS LEFT OUT]", "true");
        quotes = rule("[INCLUDE FORWARDED TEXT]", "false");
        sentence = symbol("[LEFT OUT]", "{%s}");
    }

    filterEntry* quotes;
    filterEntry* sentence;
};

// The French build's words, as the unit tests are built with it.
TEST_F(LeftOut, TheSentenceFollowsWhatIsHeard) {
    // Before the earlier message, whose section the scanner leaves out.
    EXPECT_EQ(read("Agreed.\n\n-----Original Message-----\nFrom: y\n\nOld text\n"),
              "Agreed.\n{le message pr\xe9" "c\xe9" "dent}\n\n-----Original Message-----\nFrom: y\n\nOld text\n");
    // The quote's words, which nobody hears, are left out; its mark stays.
    EXPECT_EQ(read("> q\nYes"), "> \nYes\n{le texte cit\xe9}\n");
    EXPECT_EQ(read("Yes.\n"), "Yes.\n");
    // Heard quotes and earlier messages are not left out.
    quotes->replaceValue("true");
    EXPECT_EQ(read("Yes.\n> q\n-----Original Message-----\nOld\n"), "Yes.\n> q\n-----Original Message-----\nOld\n");
}

TEST_F(LeftOut, ABlockJudgedLateIsCountedWhereItIsHeard) {
    rule("[LEAVE OUT BOILERPLATE]", "true");
    const std::string legal =
        "This message and its attachments are confidential and may be legally privileged. If you are not the\n"
        "intended recipient, please delete it and notify the sender.\n";
    EXPECT_EQ(read("Agreed.\n\nSee you.\n\n" + legal), "Agreed.\n\nSee you.\n{un avertissement juridique}\n");
    // Under an earlier message's separator, which the scanner leaves out,
    // it is not news: only the earlier message is said to be left out.
    const std::string history = read("Agreed.\n\n-----Original Message-----\nFrom: y\n\nOld.\n\nOlder.\n\n" + legal);
    EXPECT_EQ(history.find("Agreed.\n{le message pr\xe9" "c\xe9" "dent}\n"), 0u) << history;
    EXPECT_EQ(history.find("avertissement"), std::string::npos) << history;
}

TEST_F(LeftOut, TheSentenceCountsAndJoinsWhatEachRuleLeftOut) {
    rule("[DROP SIGNATURE]", "true");
    rule("[LEAVE OUT BOILERPLATE]", "true");
    filter.attachmentsLeftOut = 2;
    EXPECT_EQ(read(choirList + "\nHi\n\n-----\nChoir-talk mailing list\nhttps://lists.example.net/\n\n> q\n-- \nB\n"),
              choirList + "\nHi\n{le texte cit\xe9, une signature, le pied de page de la liste et des pi\xe8" "ces "
                          "jointes}\n> \n");
    // An empty phrase says nothing.
    sentence->replaceValue("");
    EXPECT_EQ(read("Yes.\n> q\n"), "Yes.\n> \n");
}

// Links said as a model says them: per paragraph, a host's first link in
// full, a later one as "L", one right after a link to the same host, with
// no word between, not at all.
TEST_F(ReadingPass, AHostIsNamedOnceAParagraphAsAModelSaysIt) {
    rule("[SPEAK LINKS]", "true");
    rule("[LEAVE OUT BOILERPLATE]", "true");
    symbol("[LINK]", "{%s}");
    symbol("[LINK AGAIN]", "L");
    const std::vector<std::string> tokens = {"alpha", "beta", "http://a.example/x", "https://A.example/y",
                                             "http://b.example/z", "<http://b.example/w>"};
    std::mt19937 random(20250311);
    for (int round = 0; round < 300; ++round) {
        // A first line that no link begins, which the pass could take
        // for a header line.
        std::string message = "start\n";
        std::string expected = "start\n";
        std::set<std::string> named;
        std::string last;
        bool adjacent = false;
        const int lines = 1 + static_cast<int>(random() % 8);
        for (int l = 0; l < lines; ++l) {
            if (random() % 4 == 0) {
                message += "\n";
                expected += "\n";
                named.clear();
                adjacent = false;
                continue;
            }
            const int words = 1 + static_cast<int>(random() % 5);
            for (int w = 0; w < words; ++w) {
                const std::string& token = tokens[random() % tokens.size()];
                const std::string sep = w == 0 ? "" : " ";
                message += sep + token;
                expected += sep;
                const std::size_t dot = token.find(".example");
                if (dot == std::string::npos) {
                    expected += token;
                    adjacent = false;
                    continue;
                }
                const std::size_t host = token.find("//") + 2;
                std::string said = token.substr(host, dot + 8 - host);
                std::string key = said;
                for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                if (adjacent && named.count(key) > 0 && key == last) {
                    // not said
                } else if (named.count(key) > 0) {
                    expected += "L";
                } else {
                    expected += "{" + said + "}";
                    named.insert(key);
                }
                last = key;
                adjacent = true;
            }
            message += "\n";
            expected += "\n";
        }
        ASSERT_EQ(read(message), expected) << message;
    }
}
