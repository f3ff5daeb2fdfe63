// The stage over whole messages: what it leaves alone, and the shapes and
// sizes that the e2e messages do not reach.
#include <gtest/gtest.h>

#include <random>

#include "mime_test_support.h"

using namespace postsift::mime;

namespace {

bool contains(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

}  // namespace

TEST(Stage, AMessageWithNothingToDecodeIsLeftAlone) {
    const std::string messages[] = {
        "Subject: plain\n\nNothing to do here, =? neither ?= here.\n",
        "Subject: Latin-1 bytes\nContent-Type: text/plain; charset=iso-8859-1\n\nD\xe9j\xe0 vu\n",
        "Subject: undeclared, not UTF-8\n\nD\xe9j\xe0 vu\n",
        "Subject: ASCII in UTF-8\nContent-Type: text/plain; charset=utf-8\nContent-Transfer-Encoding: 8bit\n\nok\n",
        "Subject: alternative\nContent-Type: multipart/alternative; boundary=b\n\npreamble\n--b\n"
        "Content-Type: text/plain\n\nplain\n--b\nContent-Type: text/html\n\n<p>html</p>\n--b--\nepilogue\n",
        "Subject: unknown charset\nContent-Type: text/plain; charset=x-unknown\n\n\xe9t\xe9\n",
        "no header at all\n",
        "",
    };
    for (const std::string& message : messages) EXPECT_FALSE(runStage(message).changed) << message;
}

TEST(Stage, ASecondPassChangesNothing) {
    // Random messages built from the shapes mail takes: what the stage
    // writes, it writes again as it is.
    const std::string headers[] = {"Subject: =?utf-8?q?caf=C3=A9?=\n", "From: Zo\xc3\xa9 <z@x.fr>\n", "To: a@b\n",
                                   "Subject: =?iso-8859-1?b?6XTp?= =?utf-8?q?_ok?=\n"};
    const std::string leaves[] = {
        "Content-Type: text/plain; charset=utf-8\nContent-Transfer-Encoding: quoted-printable\n\nd=C3=A9j=C3=A0 =\nvu\n",
        "Content-Type: text/html; charset=utf-8\nContent-Transfer-Encoding: base64\n\nPHA+w6l0w6k8L3A+\n",
        "Content-Type: text/plain\n\nplain words\n",
        "Content-Type: application/pdf; name=x.pdf\nContent-Transfer-Encoding: base64\n\nJVBERi0x\n",
        "Content-Type: image/png\n\n\x89PNG\n",
        "Content-Type: text/plain; charset=iso-8859-15\n\n\xa4 5\n",
        "Content-Type: message/rfc822\n\nSubject: =?utf-8?q?inner?=\n\ninner body\n",
        "\nno fields\n",
    };
    std::mt19937 random(2025);
    auto pick = [&random](std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); };
    for (int round = 0; round < 300; ++round) {
        std::string message = headers[pick(4)] + headers[pick(4)];
        const int parts = static_cast<int>(pick(4));
        if (parts == 0) {
            message += leaves[pick(8)];
        } else {
            message += std::string("Content-Type: multipart/") + (pick(2) == 0 ? "mixed" : "alternative") +
                       "; boundary=\"q\"\n\npreamble\n";
            for (int part = 0; part < parts; ++part) {
                message += "--q\n";
                if (pick(3) == 0)
                    message += "Content-Type: multipart/alternative; boundary=r\n\n--r\n" + leaves[pick(8)] + "--r\n" +
                               leaves[pick(8)] + "--r--\n";
                else
                    message += leaves[pick(8)];
            }
            if (pick(2) == 0) message += "--q--\n";
        }
        const stageRun first = runStage(message);
        if (!first.changed) continue;
        EXPECT_EQ(first.text.find('\0'), std::string::npos) << message;
        const stageRun second = runStage(first.text);
        EXPECT_EQ(second.text, first.text) << "first pass of:\n" << message;
    }
}

TEST(Stage, AnEncodedLineEndCannotMakeAHeaderLine) {
    const stageRun run = runStage("Subject: =?utf-8?q?hi=0D=0AContent-Type:_text/html?=\n\nbody\n");
    EXPECT_EQ(run.text, "Subject: hi Content-Type: text/html\n\nbody\n");
}

TEST(Stage, AttachmentsAreAnnouncedAsText) {
    const std::string message =
        "Content-Type: multipart/mixed; boundary=b\n\n--b\nContent-Type: text/plain\n\nhello\n"
        "--b\nContent-Type: application/pdf; name=\"x.pdf\"\n\nJVBERi0x\n--b--\n";
    stageRun run = runStage(message, "Anhang: %s.");
    EXPECT_EQ(run.text,
              "Content-Type: multipart/mixed\n\nContent-Type: text/plain\n\nhello\n"
              "Content-Type: application/pdf; name=\"x.pdf\"\n\n"
              "Content-Type: text/plain; charset=windows-1252\n\n**Anhang: x.pdf.\n");
    run = runStage(message, "");
    EXPECT_EQ(run.text,
              "Content-Type: multipart/mixed\n\nContent-Type: text/plain\n\nhello\n"
              "Content-Type: application/pdf; name=\"x.pdf\"\n\n");
    EXPECT_EQ(run.found.partsLeftOut, 1u);
}

TEST(Stage, BrokenStructuresStillGiveTheirText) {
    // A boundary that never closes, a part without fields, a part whose
    // first line is text, an empty part.
    const stageRun run = runStage(
        "Content-Type: multipart/mixed; boundary=b\n\n--b\n\nno fields\n--b\nfirst line: text\n--b\n--b\n"
        "Content-Type: text/plain; charset=utf-8\n\nd\xc3\xa9j\xc3\xa0\n--b\nContent-Type: image/gif\n\nGIF89a");
    EXPECT_TRUE(run.changed);
    EXPECT_TRUE(contains(run.text, "\nno fields\n")) << run.text;
    EXPECT_TRUE(contains(run.text, "first line: text\n")) << run.text;
    EXPECT_TRUE(contains(run.text, "d\xe9j\xe0\n")) << run.text;
    EXPECT_FALSE(contains(run.text, "GIF89a")) << run.text;
}

TEST(Stage, ForwardedMessagesComeLastInTheirOrder) {
    const stageRun run = runStage(
        "Content-Type: multipart/mixed; boundary=b\n\n--b\nContent-Type: message/rfc822\n\nSubject: one\n\n1\n"
        "--b\nContent-Type: text/plain\n\nmine\n--b\nContent-Type: message/rfc822\n\nSubject: two\n\n2\n--b--\n");
    EXPECT_EQ(run.text,
              "Content-Type: multipart/mixed\n\nContent-Type: text/plain\n\nmine\n"
              "Content-Type: text/plain; charset=windows-1252\n\n-----Original Message-----\nSubject: one\n\n1\n"
              "Content-Type: text/plain; charset=windows-1252\n\n-----Original Message-----\nSubject: two\n\n2\n");
    EXPECT_EQ(run.found.forwardedMessages, 2u);
}

TEST(Stage, DeepNestingStopsAtTheLimitAndStaysLinear) {
    // 100,000 nested multiparts, each with its own boundary, and encoded
    // text at the bottom: past 32 levels the parts are left as they are.
    std::string message = "Subject: =?utf-8?q?deep?=\n";
    for (int level = 0; level < 100000; ++level)
        message += "Content-Type: multipart/mixed; boundary=\"n" + std::to_string(level) + "\"\n\n--n" +
                   std::to_string(level) + "\n";
    message += "Content-Transfer-Encoding: quoted-printable\n\nbottom=3D\n";
    const stageRun run = runStage(message);
    EXPECT_TRUE(run.changed);
    EXPECT_EQ(run.text.compare(0, 14, "Subject: deep\n"), 0);
    EXPECT_TRUE(contains(run.text, "boundary=\"n32\"\n\n--n32\n")) << "the part at the limit, as it was";
    EXPECT_TRUE(contains(run.text, "bottom=3D"));
    EXPECT_LT(run.text.size(), message.size());
}

TEST(Stage, ALargeAttachmentIsPassedOverWithoutBeingDecoded) {
    std::string attachment;
    for (int line = 0; line < 100000; ++line) attachment += std::string(76, 'A') + "\n";
    const std::string message =
        "Subject: report\nContent-Type: multipart/mixed; boundary=\"=_b\"\n\n--=_b\nContent-Type: text/plain\n\n"
        "See attached.\n--=_b\nContent-Type: application/octet-stream; name=report.bin\n"
        "Content-Transfer-Encoding: base64\n\n" +
        attachment + "--=_b--\n";
    const stageRun run = runStage(message);
    EXPECT_EQ(run.text,
              "Subject: report\nContent-Type: multipart/mixed\n\nContent-Type: text/plain\n\nSee attached.\n"
              "Content-Type: application/octet-stream; name=report.bin\nContent-Transfer-Encoding: base64\n\n"
              "Content-Type: text/plain; charset=windows-1252\n\nAttachment report.bin.\n");
}

TEST(Stage, ADigestsPartsAreMessages) {
    const stageRun run = runStage(
        "Content-Type: multipart/digest; boundary=d\n\n--d\n\nSubject: first\n\none\n--d\n"
        "Content-Type: text/plain\n\nnot a message\n--d--\n");
    EXPECT_TRUE(contains(run.text, "-----Original Message-----\nSubject: first\n\none\n")) << run.text;
    EXPECT_TRUE(contains(run.text, "Content-Type: text/plain\n\nnot a message\n")) << run.text;
}
