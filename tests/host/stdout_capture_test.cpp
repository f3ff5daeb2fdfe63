#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/stdout_capture.h"

using postsift::platform::stdoutCapture;

// Nothing in these tests may print between the start and the end of a
// capture: the expectations are checked afterwards.

TEST(StdoutCapture, TakesEveryByteWrittenThroughStdoutAndPutsItBack) {
    std::string captured;
    std::string inner;
    bool outerDone;
    bool innerDone;
    {
        stdoutCapture outer;
        ASSERT_TRUE(outer.capturing()) << outer.error();
        std::fputs("before\r\n", stdout);  // still in the buffer when the inner capture starts
        {
            stdoutCapture nested;
            std::printf("%s", "inside");
            std::fwrite("\0\xff\r", 1, 3, stdout);
            innerDone = nested.finish(inner);
        }
        std::fputs("after", stdout);
        outerDone = outer.finish(captured);
    }
    EXPECT_TRUE(innerDone);
    EXPECT_TRUE(outerDone);
    EXPECT_EQ(inner, std::string("inside\0\xff\r", 9));
    // The outer capture got its own bytes and none of the inner one's.
    EXPECT_EQ(captured, "before\r\nafter");
}

TEST(StdoutCapture, HoldsMoreThanAPipeWould) {
    const std::string big(1 << 20, 'x');
    std::string captured;
    bool done;
    {
        stdoutCapture capture;
        std::fwrite(big.data(), 1, big.size(), stdout);
        done = capture.finish(captured);
    }
    EXPECT_TRUE(done);
    EXPECT_EQ(captured.size(), big.size());
    EXPECT_EQ(captured, big);
}

TEST(StdoutCapture, EndsByItselfWhenLeftUnfinished) {
    { stdoutCapture abandoned; std::fputs("dropped", stdout); }
    std::string captured;
    bool done;
    {
        stdoutCapture next;
        std::fputs("kept", stdout);
        done = next.finish(captured);
    }
    EXPECT_TRUE(done);
    EXPECT_EQ(captured, "kept");
}
