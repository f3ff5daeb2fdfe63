// Stacked reply and forward markers of a subject.
#include "reading_fixture.h"

using namespace postsift;

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

TEST_F(ReadingPass, AMarkerWithACountIsTheMarkerAndTagsDoNotEndTheRun) {
    rule("[SQUEEZE REPLY MARKERS]", "true");
    rule("Re:", "Reply:");
    rule("SV:", "Reply:");
    rule("Fwd:", "Forwarded:");
    symbol("[SUBJECT]", "Subject:");
    EXPECT_EQ(read("Subject: Re[2]: [Orchids] Re^3: SV: Fwd[2]: Re: x [y] Re:\r\n"
                   "Subject: [Orchids]Re: Re: x\nSubject: [was: y] Re: Re: x\nSubject: Re[2] Re[x]: Re: x\n\n"),
              "Subject: Re: [Orchids] Fwd: x [y] Re:\r\n"
              "Subject: [Orchids]Re: Re: x\nSubject: [was: y] Re: Re: x\nSubject: Re[2] Re[x]: Re: x\n\n");
}
