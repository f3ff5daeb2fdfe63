// The sender announced by name.
#include "reading_fixture.h"

using namespace postsift;

namespace {

class SpokenNames : public ReadingPass {
protected:
    void SetUp() override {
        rule("[SPEAK NAMES]", "true");
        symbol("[SENDER]", "From:|Von:");
        symbol("[ROLE ADDRESS]", "at %s");
    }
};

}  // namespace

TEST_F(SpokenNames, EachFormOfSenderIsSaidByItsName) {
    const struct {
        const char* from;
        const char* said;
    } examples[] = {
        {"jo.lee@example.net (Jo Lee)", "Jo Lee <jo.lee@example.net>"},
        {"a@example.org (Jo (\\(JJ)  Lee)", "Jo ((JJ) Lee <a@example.org>"},
        {"\"Moreau, Claire\" <c@example.fr>", "Claire Moreau <c@example.fr>"},
        {"Moreau,Claire <c@example.fr>", "Claire Moreau <c@example.fr>"},
        {"\"van Dijk, Jan\" <j@example.nl>", "van Dijk, Jan <j@example.nl>"},
        {"'Jo Lee' <jo@example.net>", "Jo Lee <jo@example.net>"},
        {"\"Jo \\\"JJ\\\" Lee\"   <jo@example.net>", "Jo \"JJ\" Lee <jo@example.net>"},
        {"<m_ruiz@example.com>", "m ruiz <m_ruiz@example.com>"},
        {"jo.lee@example.net", "jo lee <jo.lee@example.net>"},
        {"NoReply@example.com", "NoReply at example.com <NoReply@example.com>"},
        {"\"\" <postmaster@example.org>", "postmaster at example.org <postmaster@example.org>"},
        {"\"jo@example.net\" <jo@example.net>", "jo <jo@example.net>"},
        {"\"info@example.net\" <x7@example.org>", "info at example.net <x7@example.org>"},
        {"\"Jo Lee\"", "Jo Lee"},
        // More than one address, or a shape not read: as written.
        {"a@example.org, b@example.org", "a@example.org, b@example.org"},
        {"Jo <a@example.org> (work) <b@example.org>", "Jo <a@example.org> (work) <b@example.org>"},
        {"\"Jo Lee <jo@example.net>", "\"Jo Lee <jo@example.net>"},
        {"Jo <jo@example.net", "Jo <jo@example.net"},
        {"<undisclosed>", "<undisclosed>"},
    };
    for (const auto& e : examples) {
        EXPECT_EQ(read(std::string("From: ") + e.from + "\r\n\r\n"), std::string("From: ") + e.said + "\r\n\r\n")
            << e.from;
    }
}

TEST_F(SpokenNames, TheSendersLineOnlyAndNotWhenItIsFoldedOrQuoted) {
    // "Cc:" is left out, as the scanner keeps nothing of it and "To:" follows.
    EXPECT_EQ(read("Von: <m_ruiz@example.com>\nCc: x\nTo: <m_ruiz@example.com>\n\n"
                   "From: jo.lee@example.net\n> From: jo.lee@example.net\nFrom: \"Jo\"\n <jo@example.net>\n"),
              "Von: m ruiz <m_ruiz@example.com>\nTo: <m_ruiz@example.com>\n\n"
              "From: jo lee <jo.lee@example.net>\n> From: jo.lee@example.net\nFrom: \"Jo\"\n <jo@example.net>\n");
}

TEST_F(SpokenNames, AnEmptyRolePhraseLeavesTheDomainOut) {
    filter.symbolTable->next()->replaceValue("");
    EXPECT_EQ(read("From: info@example.com\n\nHi\n"), "From: info <info@example.com>\n\nHi\n");
}
