// Links said by their host, and inputs built to make a careless link rule slow.
#include <chrono>
#include <string>

#include "reading_fixture.h"

using namespace postsift;

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
