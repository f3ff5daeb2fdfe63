// The stage over whole messages: what it leaves alone, and the shapes and
// sizes that the e2e messages do not reach.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "mime/envelope_line.h"
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
        "Subject: unknown charset\nContent-Type: text/plain; charset=x-unknown\n\n\xe9t\xe9\n",
        "no header at all\n",
        "",
    };
    for (const std::string& message : messages) EXPECT_FALSE(runStage(message).changed) << message;
}

TEST(Stage, AnAlternativeThatIsNotReadIsLeftOutWhole) {
    // Even with nothing to decode: neither its fields nor its words may
    // reach the scanner.
    const stageRun run = runStage(
        "Subject: alternative\nContent-Type: multipart/alternative; boundary=b\n\npreamble\n--b\n"
        "Content-Type: text/plain\n\nplain\n--b\nContent-Type: text/html\n\n<p>html</p>\n--b--\nepilogue\n");
    EXPECT_EQ(run.text,
              "Subject: alternative\nContent-Type: multipart/alternative; boundary=\"postsift-part-0\"\n\n"
              "--postsift-part-0\nContent-Type: text/plain\n\nplain\n");
    EXPECT_EQ(run.found.partsLeftOut, 1u);
}

namespace {

// Random messages built from the shapes mail takes, each leaf with a mark
// of its own, and a simple model of what is read: of an alternative the
// first plain text, else the first HTML, else the first multipart; of
// anything else every text that is not an attachment; the other parts
// named, announced.
class randomMessage {
public:
    explicit randomMessage(unsigned seed) : random_(seed) {}

    std::string build() {
        std::string message = "Subject: =?utf-8?q?random?=\n";
        node(message, 0, true);
        return message;
    }
    const std::vector<std::string>& shown() const { return shown_; }
    const std::vector<std::string>& hidden() const { return hidden_; }

private:
    enum leafKind { quotedPrintable, base64Text, plain, html, namedPdf, picture, textAttachment, leafKinds };

    std::size_t pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }

    static std::string base64(const std::string& bytes) {
        static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        std::string out;
        for (std::size_t i = 0; i < bytes.size(); i += 3) {
            unsigned group = static_cast<unsigned char>(bytes[i]) << 16;
            if (i + 1 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
            if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
            for (std::size_t k = 0; k < 4; ++k)
                out += k <= bytes.size() - i ? alphabet[(group >> (18 - 6 * k)) & 63] : '=';
        }
        return out;
    }

    // Writes a part; `read` says whether the model reads it.
    void node(std::string& out, int depth, bool read) {
        if (depth < 3 && pick(3) == 0) {
            container(out, depth, read);
        } else {
            leaf(out, static_cast<leafKind>(pick(leafKinds)), read);
        }
    }

    void leaf(std::string& out, leafKind kind, bool read) {
        const std::string mark = "mark" + std::to_string(++count_) + "x";
        const std::string name = "file" + std::to_string(count_) + ".bin";
        switch (kind) {
            case quotedPrintable:
                out += "Content-Type: text/plain; charset=utf-8\nContent-Transfer-Encoding: quoted-printable\n\n" +
                       mark + " d=C3=A9j=\n=C3=A0\n";
                break;
            case base64Text:
                out += "Content-Type: text/plain; charset=utf-8\nContent-Transfer-Encoding: base64\n\n" +
                       base64(mark + " \xc3\xa9t\xc3\xa9") + "\n";
                break;
            case plain: out += "Content-Type: text/plain\n\n" + mark + "\n"; break;
            case html: out += "Content-Type: text/html\n\n<p>" + mark + "</p>\n"; break;
            case namedPdf:
                out += "Content-Type: application/pdf; name=" + name + "\nContent-Transfer-Encoding: base64\n\n" +
                       base64(mark) + "\n";
                break;
            case picture: out += "Content-Type: image/png\n\n" + mark + "\n"; break;
            case textAttachment:
                out += "Content-Type: text/plain\nContent-Disposition: attachment; filename=\"" + name + "\"\n\n" +
                       mark + "\n";
                break;
            case leafKinds: break;
        }
        const bool text = kind == quotedPrintable || kind == base64Text || kind == plain || kind == html;
        (read && text ? shown_ : hidden_).push_back(mark);
        if (kind == namedPdf || kind == textAttachment)
            (read ? shown_ : hidden_).push_back("Attachment " + name + ".");
    }

    void container(std::string& out, int depth, bool read) {
        const bool alternative = pick(2) == 0;
        const std::string boundary = "b" + std::to_string(++count_);
        out += std::string("Content-Type: multipart/") + (alternative ? "alternative" : "mixed") + "; boundary=\"" +
               boundary + "\"\n\npreamble\n";
        const std::size_t parts = 1 + pick(3);
        // The kinds first, so that the model knows which alternative is read.
        std::vector<int> kinds;  // a leafKind, or -1 for a multipart
        for (std::size_t i = 0; i < parts; ++i)
            kinds.push_back(depth < 2 && pick(4) == 0 ? -1 : static_cast<int>(pick(leafKinds)));
        std::size_t chosen = parts;
        if (alternative) {
            for (int wanted : {static_cast<int>(quotedPrintable), static_cast<int>(html), -1}) {
                for (std::size_t i = 0; i < parts && chosen == parts; ++i) {
                    const bool plainText = kinds[i] == quotedPrintable || kinds[i] == base64Text || kinds[i] == plain;
                    if (wanted == quotedPrintable ? plainText : kinds[i] == wanted) chosen = i;
                }
                if (chosen < parts) break;
            }
        }
        for (std::size_t i = 0; i < parts; ++i) {
            out += "--" + boundary + "\n";
            const bool partRead = read && (!alternative || i == chosen);
            if (kinds[i] < 0)
                container(out, depth + 1, partRead);
            else
                leaf(out, static_cast<leafKind>(kinds[i]), partRead);
        }
        out += "--" + boundary + "--\n";
    }

    std::mt19937 random_;
    unsigned count_ = 0;
    std::vector<std::string> shown_;
    std::vector<std::string> hidden_;
};

}  // namespace

TEST(Stage, WhatIsReadAgreesWithASimpleModel) {
    for (unsigned seed = 1; seed <= 400; ++seed) {
        randomMessage random(seed);
        const std::string message = random.build();
        const stageRun run = runStage(message);
        ASSERT_TRUE(run.changed) << message;
        for (const std::string& mark : random.shown())
            EXPECT_TRUE(contains(run.text, mark)) << mark << " is read in\n" << message << "\ngot\n" << run.text;
        for (const std::string& mark : random.hidden())
            EXPECT_FALSE(contains(run.text, mark)) << mark << " is not read in\n" << message << "\ngot\n" << run.text;
        EXPECT_FALSE(contains(run.text, "preamble")) << message;
        EXPECT_EQ(run.text.find('\0'), std::string::npos) << message;
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
              "Content-Type: multipart/mixed; boundary=\"postsift-part-0\"\n\n--postsift-part-0\n"
              "Content-Type: text/plain\n\nhello\n--postsift-part-0\n"
              "Content-Type: application/pdf; name=\"x.pdf\"\n\n--postsift-part-0\n"
              "Content-Type: text/plain; charset=windows-1252\n\n**Anhang: x.pdf.\n");
    run = runStage(message, "");
    EXPECT_EQ(run.text,
              "Content-Type: multipart/mixed; boundary=\"postsift-part-0\"\n\n--postsift-part-0\n"
              "Content-Type: text/plain\n\nhello\n--postsift-part-0\n"
              "Content-Type: application/pdf; name=\"x.pdf\"\n\n");
    EXPECT_EQ(run.found.partsLeftOut, 1u);
}

TEST(Stage, TheRewrittenBoundaryIsNoTextOfTheMessageAndServesEveryLevel) {
    const stageRun run = runStage(
        "Content-Type: multipart/mixed; boundary=b\n\n--b\nContent-Type: text/plain\n\nsee postsift-part-0\n"
        "--b\nContent-Type: multipart/alternative; boundary=c\n\n--c\nContent-Type: text/plain\n"
        "Content-Transfer-Encoding: quoted-printable\n\ninner=3D\n--c--\n--b--\n");
    EXPECT_EQ(run.text,
              "Content-Type: multipart/mixed; boundary=\"postsift-part-1\"\n\n"
              "--postsift-part-1\nContent-Type: text/plain\n\nsee postsift-part-0\n"
              "--postsift-part-1\nContent-Type: multipart/alternative\n\n"
              "--postsift-part-1\nContent-Type: text/plain; charset=windows-1252\nContent-Transfer-Encoding: 8bit\n\n"
              "inner=\n");
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
              "Content-Type: multipart/mixed; boundary=\"postsift-part-0\"\n\n--postsift-part-0\n"
              "Content-Type: text/plain\n\nmine\n--postsift-part-0\n"
              "Content-Type: text/plain; charset=windows-1252\n\n-----Original Message-----\nSubject: one\n\n1\n"
              "--postsift-part-0\n"
              "Content-Type: text/plain; charset=windows-1252\n\n-----Original Message-----\nSubject: two\n\n2\n");
    EXPECT_EQ(run.found.forwardedMessages, 2u);
}

TEST(Stage, ForwardedMessagesToReadArePlainTextUnderAForwardSeparator) {
    // Whatever the part's own fields say: an "attachment" would have the
    // section rules drop the forwarded message.
    const stageRun run = runStage(
        "Content-Type: multipart/mixed; boundary=b\n\n--b\nContent-Type: text/plain\n\nmine\n--b\n"
        "Content-Type: message/rfc822\nContent-Disposition: attachment; filename=one.eml\n\nSubject: one\n\n1\n--b--\n",
        "Attachment %s.", true);
    EXPECT_EQ(run.text,
              "Content-Type: multipart/mixed; boundary=\"postsift-part-0\"\n\n--postsift-part-0\n"
              "Content-Type: text/plain\n\nmine\n--postsift-part-0\n"
              "Content-Type: text/plain; charset=windows-1252\n\n---------- Forwarded message ---------\n"
              "Subject: one\n\n1\n");
}

TEST(Stage, MediaTypesAreHandedOnInLowerCase) {
    // Only the type: parameters and file names keep their case.
    const stageRun run = runStage(
        "Content-Type: MULTIPART/Mixed; boundary=b\n\n--b\nContent-Type: TEXT/PLAIN; CHARSET=US-ASCII\n\nhello\n"
        "--b\nContent-Type: Application/PDF; name=\"X.PDF\"\n\nJVBERi0x\n--b--\n");
    EXPECT_EQ(run.text,
              "Content-Type: multipart/mixed; boundary=\"postsift-part-0\"\n\n--postsift-part-0\n"
              "Content-Type: text/plain; CHARSET=US-ASCII\n\nhello\n--postsift-part-0\n"
              "Content-Type: application/pdf; name=\"X.PDF\"\n\n--postsift-part-0\n"
              "Content-Type: text/plain; charset=windows-1252\n\nAttachment X.PDF.\n");
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
              "Subject: report\nContent-Type: multipart/mixed; boundary=\"postsift-part-0\"\n\n--postsift-part-0\n"
              "Content-Type: text/plain\n\nSee attached.\n--postsift-part-0\n"
              "Content-Type: application/octet-stream; name=report.bin\nContent-Transfer-Encoding: base64\n\n"
              "--postsift-part-0\nContent-Type: text/plain; charset=windows-1252\n\nAttachment report.bin.\n");
}

TEST(Stage, ADigestsPartsAreMessages) {
    const stageRun run = runStage(
        "Content-Type: multipart/digest; boundary=d\n\n--d\n\nSubject: first\n\none\n--d\n"
        "Content-Type: text/plain\n\nnot a message\n--d--\n");
    EXPECT_TRUE(contains(run.text, "-----Original Message-----\nSubject: first\n\none\n")) << run.text;
    EXPECT_TRUE(contains(run.text, "Content-Type: text/plain\n\nnot a message\n")) << run.text;
}

TEST(EnvelopeLine, IsNoPartOfTheMessage) {
    struct envelopeCase {
        const char* text;
        std::size_t skipped;  // bytes before the message
    };
    const envelopeCase cases[] = {
        {"From jo@example.org Tue Mar  4 09:15:00 2003\nFrom: Jo\n", 45},
        {"From jo@example.org Tue Mar  4 09:15:00 2003\r\nFrom: Jo\r\n", 46},
        {">From MAILER-DAEMON Fri Jan 10 7:05 2003 +0100\nSubject: x\n", 47},
        {"From jo@example.org Tue Mar  4 09:15:00 2003", 44},  // the whole text
        // Text that begins so, and header fields, are the message.
        {"From now on we meet on Tuesdays.\n", 0},
        {"From jo Tuesday, Mar 4 09:15\n", 0},
        {"From jo Tue Mar  4 2003\n", 0},
        {"From: jo@example.org\n", 0},
        {"from jo@example.org Tue Mar  4 09:15:00 2003\n", 0},
        {"From ", 0},
        {"", 0},
    };
    for (const envelopeCase& c : cases) {
        const char* end = c.text + std::strlen(c.text);
        EXPECT_EQ(static_cast<std::size_t>(afterEnvelopeLine(c.text, end) - c.text), c.skipped) << c.text;
    }
}
