// A mailing list's tag, taken out of the subject and said after it.
#include "reading_fixture.h"

using namespace postsift;

namespace {

class ListTags : public ReadingPass {
protected:
    void SetUp() override {
        rule("[SPEAK LIST TAGS]", "true");
        rule("Re:", "Reply:");
        rule("AW:", "Reply:");
        symbol("[SUBJECT]", "Subject:|Betreff:");
        symbol("[LIST TAG]", "on the list %s");
    }
};

}  // namespace

TEST_F(ListTags, TheFirstTagIsSaidAfterTheSubjectAndTheSameOneAgainGoes) {
    const struct {
        const char* subject;
        const char* said;
    } examples[] = {
        {"[Orchids] Re: Repotting", "Re: Repotting, on the list Orchids"},
        {"Re: [Orchids] AW: [orchids] Why?", "Re: AW: Why? on the list Orchids"},
        {"[ILUG] Re: [OT] Cats", "Re: [OT] Cats, on the list ILUG"},
        {"[use Perl]  Stories ", "Stories, on the list use Perl "},
        // Nothing but tags and markers, no tag, or no tag of a list.
        {"[Orchids]", "[Orchids]"},
        {"Re: [Orchids] Re:", "Re: [Orchids] Re:"},
        {"Repotting [Orchids]", "Repotting [Orchids]"},
        {"[Orchids]Re: x", "[Orchids]Re: x"},
        {"[was: Repotting] x", "[was: Repotting] x"},
        {"[] x", "[] x"},
    };
    for (const auto& e : examples) {
        EXPECT_EQ(read(std::string("Subject: ") + e.subject + "\n\n"), std::string("Subject: ") + e.said + "\n\n")
            << e.subject;
    }
}

TEST_F(ListTags, InTheBodyAndFoldedAndCrLf) {
    EXPECT_EQ(read("Betreff: [Orchids] a\r\n\tlong one\r\nFrom: x\r\n\r\nSubject: [Choir] b\r\n> Subject: [Choir] c\r\n"
                   "To: [Choir] d\r\n"),
              "Betreff: a\r\n\tlong one, on the list Orchids\r\nFrom: x\r\n\r\n"
              "Subject: b, on the list Choir\r\n> Subject: [Choir] c\r\nTo: [Choir] d\r\n");
}

TEST_F(ListTags, AnEmptyPhraseLeavesTheTagOut) {
    filter.symbolTable->next()->replaceValue("");
    EXPECT_EQ(read("Subject: [Orchids] Re: Repotting\n\n"), "Subject: Re: Repotting\n\n");
}
