// Inputs built to make a non-linear algorithm show, given to the French
// plug-in through its exports. Each case is run at two sizes, the larger
// being the size the case is named after and the smaller an eighth of it:
// a linear algorithm takes about eight times as long for the larger, one
// that grows with the square of the size sixty-four times. The larger may
// take sixteen times as long as the smaller (plus a little for the clock),
// and never more than a minute. Processor time is measured, not wall time,
// so that other work on the machine does not count; a case that fails is
// measured once more before it counts as failed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "build_files.h"
#include "kept_plugin.h"
#include "platform/stdout_capture.h"
#include "plugin_exports.h"

using namespace postsift;
namespace fs = std::filesystem;

namespace {

constexpr double clockSlack = 0.1;     // seconds the larger may take beyond the ratio
constexpr double absoluteLimit = 60.0;  // seconds, for the larger alone

const pluginExports& plugin(const std::string& file = builtPluginFile("french")) {
    std::string error;
    const pluginExports* api = keptPlugin(file, error);
    if (api == nullptr) {
        ADD_FAILURE() << "cannot load " << file << ": " << error;
        std::abort();
    }
    return *api;
}

// The plug-in writes the bytes that no rule matches to standard output,
// thousands of them here: they are kept out of the test's own output.
double processorSeconds(const std::function<void()>& work) {
    platform::stdoutCapture capture;
    const std::clock_t start = std::clock();
    work();
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    std::string ignored;
    capture.finish(ignored);
    return seconds;
}

// What a run gives back: its processor time and the spoken text's length.
struct run {
    double seconds = 0;
    std::size_t spokenLength = 0;
};

// A filter from getObject with the given changes, switched on, filtering one
// message; only the filtering is timed.
run filterMessage(const std::string& message, const std::vector<std::pair<const char*, std::string>>& changes = {}) {
    const pluginExports& api = plugin();
    void* filter = nullptr;
    EXPECT_EQ(api.getObject(POSTSIFT_OBJECT_FILTER, &filter), 1);
    for (const auto& change : changes) api.updateFilter(0, filter, change.first, change.second.c_str());
    api.setFilter(0, filter);
    run done;
    const char* spoken = nullptr;
    done.seconds = processorSeconds([&] { api.getFilteredText(0, filter, message.c_str(), &spoken); });
    done.spokenLength = spoken != nullptr ? std::strlen(spoken) : 0;
    api.deleteFilter(0, filter);
    return done;
}

// Runs `sized` at an eighth of `size` and at `size`, and checks that the
// time grew about linearly. Returns the larger run.
run expectLinear(const char* what, std::size_t size, const std::function<run(std::size_t)>& sized) {
    run small, large;
    for (int attempt = 0; attempt < 2; ++attempt) {
        small = sized(size / 8);
        large = sized(size);
        if (large.seconds <= 16 * small.seconds + clockSlack && large.seconds <= absoluteLimit) break;
    }
    EXPECT_LE(large.seconds, 16 * small.seconds + clockSlack)
        << what << ": " << small.seconds << " s at size " << size / 8 << ", " << large.seconds << " s at " << size;
    EXPECT_LE(large.seconds, absoluteLimit) << what;
    std::printf("%-44s %9zu: %7.3f s, an eighth: %7.3f s\n", what, size, large.seconds, small.seconds);
    return large;
}

std::string repeated(const std::string& piece, std::size_t count) {
    std::string text;
    text.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) text += piece;
    return text;
}

const std::string header = "From: Camille Morel <camille.morel@exemple.fr>\nSubject: Essai\n\n";

}  // namespace

TEST(Pathological, ATokenOf16MB) {
    const run large = expectLinear("one token", 16u << 20, [](std::size_t n) {
        return filterMessage(header + std::string(n, 'w') + "\n");
    });
    EXPECT_GE(large.spokenLength, 16u << 20) << "the token is spoken whole";
}

TEST(Pathological, AMillionGreaterThanSigns) {
    expectLinear("'>' at the start of a line", 1000000, [](std::size_t n) {
        return filterMessage(header + std::string(n, '>') + " x\n");
    });
    expectLinear("'>' inside a line", 1000000, [](std::size_t n) {
        return filterMessage(header + "x " + std::string(n, '>') + " y\n");
    });
    expectLinear("'>' starting each line", 1000000, [](std::size_t n) {
        return filterMessage(header + repeated(">\n", n));
    });
    expectLinear("'>' inside a header line", 1000000, [](std::size_t n) {
        return filterMessage("Subject: " + std::string(n, '>') + "\n\nbody\n");
    });
}

TEST(Pathological, HeaderLines) {
    expectLinear("header lines", 100000, [](std::size_t n) {
        std::string message;
        for (std::size_t i = 0; i < n; ++i) message += "X-Line-" + std::to_string(i) + ": value " + std::to_string(i) + "\n";
        return filterMessage(message + "\nbody\n");
    });
    expectLinear("a header line folded again and again", 100000, [](std::size_t n) {
        return filterMessage("Subject: a" + repeated("\n b", n) + "\n\nbody\n");
    });
}

TEST(Pathological, LinesThatTheHeaderPassesOverOrLooksAheadFrom) {
    // Mangled '>' lines inside the header, with a field after them or not
    // (then they are read again as quoted text).
    expectLinear("'>' lines inside a header", 100000, [](std::size_t n) {
        return filterMessage("From: x\n" + repeated(">a\n\tb\n", n) + "Subject: y\n\nbody\n");
    });
    expectLinear("'>' lines where a header ends", 100000, [](std::size_t n) {
        return filterMessage("From: x\n" + repeated(">a\n\tb\n", n) + "body\n");
    });
    // Each body line that begins with a field's name looks at the line after
    // it, past those that would be folded into it.
    expectLinear("indented field lines in a body", 100000, [](std::size_t n) {
        return filterMessage(header + repeated("  To: a\n", n) + "body\n");
    });
}

TEST(Pathological, AddressesInOneHeaderLine) {
    expectLinear("addresses in one line, spoken", 100000, [](std::size_t n) {
        return filterMessage("To: " + repeated("Anne <anne@exemple.fr>, ", n) + "\n\nbody\n",
                             {{"[INCLUDE EMAIL ADDRESS]", "true"}});
    });
    expectLinear("addresses in one line, left out", 100000, [](std::size_t n) {
        return filterMessage("To: " + repeated("<anne@exemple.fr>,", n) + "\n\nbody\n");
    });
}

TEST(Pathological, EveryByteRepeated) {
    std::string bytes;
    for (int c = 1; c <= 255; ++c) bytes += static_cast<char>(c);
    expectLinear("bytes 1 to 255, in the body", 4u << 20, [&](std::size_t n) {
        return filterMessage(header + repeated(bytes, n / bytes.size()));
    });
    expectLinear("bytes 1 to 255, as a message", 4u << 20, [&](std::size_t n) {
        return filterMessage(repeated(bytes, n / bytes.size()));
    });
}

TEST(Pathological, AngleBracketsInAHeader) {
    expectLinear("'<' in a header line", 100000, [](std::size_t n) {
        return filterMessage("Subject: " + std::string(n, '<') + "\n\nbody\n");
    });
    expectLinear("'<a@' and a megabyte", 1u << 20, [](std::size_t n) {
        return filterMessage("Subject: <a@" + std::string(n, 'b') + "\n\nbody\n");
    });
    expectLinear("'<a' and a megabyte before '@'", 1u << 20, [](std::size_t n) {
        return filterMessage("Subject: <a" + std::string(n, 'b') + "@c\n\nbody\n");
    });
    expectLinear("'<a@' and a megabyte, folded", 1u << 20, [](std::size_t n) {
        return filterMessage("Subject: <a@" + repeated("bbbbbbb\n ", n / 9) + "\n\nbody\n");
    });
}

TEST(Pathological, ATemplateOfBracketsAndBraces) {
    struct shape {
        const char* what;
        std::function<char(std::size_t i, std::size_t n)> at;
    };
    const shape shapes[] = {
        {"template: '[' then '{'", [](std::size_t i, std::size_t n) { return i < n / 2 ? '[' : '{'; }},
        {"template: '[' and '{' in turn", [](std::size_t i, std::size_t) { return "[{"[i % 2]; }},
        {"template: '{', '[', '?' and '|' in turn", [](std::size_t i, std::size_t) { return "{[?|"[i % 4]; }},
        {"template: a mix with ']', '}' and blanks",
         [](std::size_t i, std::size_t) { return "[{]}?| "[(i * 2654435761u >> 7) % 7]; }},
        {"template: substitutions and placeholders",
         [](std::size_t i, std::size_t) {
             static const std::string piece = "{[SENDER] ? [SENDER]| x}[DATE|none] [[x] ";
             return piece[i % piece.size()];
         }},
    };
    for (const shape& s : shapes) {
        expectLinear(s.what, 1u << 20, [&](std::size_t n) {
            std::string text(n, ' ');
            for (std::size_t i = 0; i < n; ++i) text[i] = s.at(i, n);
            const pluginExports& api = plugin();
            void* filter = nullptr;
            EXPECT_EQ(api.getObject(POSTSIFT_OBJECT_FILTER, &filter), 1);
            api.updateFilter(0, filter, "[HEADER]", nullptr);
            EXPECT_EQ(api.updateFilter(0, filter, "[HEADER]", text.c_str()), 0);
            api.setFilter(0, filter);
            const std::string message = "From: Anne <a@b.fr>\nDate: Mon, 13 Jan 2003\nSubject: s\n\nbody\n";
            const char* spoken = nullptr;
            run done;
            done.seconds = processorSeconds([&] { api.getFilteredText(0, filter, message.c_str(), &spoken); });
            api.deleteFilter(0, filter);
            return done;
        });
    }
}

TEST(Pathological, AConfigurationFileOf100000Lines) {
    // A copy of the plug-in with a postsift.cfg beside it, read when
    // getObject makes a filter.
    const fs::path copy = fs::path("config-plugin") / "french" / platform::pluginLibrary::fileName();
    std::error_code ignored;
    fs::remove_all("config-plugin", ignored);
    fs::create_directories(copy.parent_path());
    fs::copy_file(builtPluginFile("french"), copy);
    const pluginExports& api = plugin(copy.string());
    expectLinear("configuration lines", 100000, [&](std::size_t n) {
        {
            std::ofstream file(copy.parent_path() / "postsift.cfg", std::ios::binary | std::ios::trunc);
            for (std::size_t i = 0; i < n; ++i) {
                switch (i % 4) {
                    case 0: file << "word" << i << "\tmot" << i << "\n"; break;
                    case 1: file << "[SYMBOL " << i << "]\tvalue " << i << "\n"; break;
                    case 2: file << "Header-" << i << ":\t[REPLACE LINE]line %s\n"; break;
                    default: file << "word" << i - 3 << "\n"; break;  // removes an earlier entry
                }
            }
        }
        void* filter = nullptr;
        run done;
        done.seconds = processorSeconds([&] { EXPECT_EQ(api.getObject(POSTSIFT_OBJECT_FILTER, &filter), 1); });
        api.setFilter(0, filter);
        const std::string message = header + "word1 word5 word9\n";
        const char* spoken = nullptr;
        done.seconds += processorSeconds([&] { api.getFilteredText(0, filter, message.c_str(), &spoken); });
        api.deleteFilter(0, filter);
        return done;
    });
}

TEST(Pathological, NestedMultiparts) {
    expectLinear("nested multiparts", 10000, [](std::size_t n) {
        std::string message = "From: Anne <a@b.fr>\nSubject: s\nMIME-Version: 1.0\n";
        for (std::size_t i = 0; i < n; ++i)
            message += "Content-Type: multipart/mixed; boundary=\"b" + std::to_string(i) + "\"\n\n--b" +
                       std::to_string(i) + "\n";
        message += "Content-Type: text/plain\n\nthe text\n";
        for (std::size_t i = n; i-- > 0;) message += "--b" + std::to_string(i) + "--\n";
        return filterMessage(message);
    });
}

TEST(Pathological, TheStagesOwnBoundaryNamesInTheText) {
    // Every name the decoding stage could give its boundary, the largest
    // first, so that each one it tries stands far into the text.
    expectLinear("the stage's boundary names", 100000, [](std::size_t n) {
        std::string message =
            "From: Anne <a@b.fr>\nSubject: s\nMIME-Version: 1.0\nContent-Type: multipart/mixed; boundary=b\n\n--b\n"
            "Content-Type: text/plain; charset=utf-8\n\n\xc3\xa9t\xc3\xa9\n";
        for (std::size_t i = n; i-- > 0;) message += "postsift-part-" + std::to_string(i) + "\n";
        message += "--b--\n";
        return filterMessage(message);
    });
}

TEST(Pathological, ABase64AttachmentOf50MB) {
    expectLinear("a base64 attachment", 50u << 20, [](std::size_t n) {
        std::string message =
            "From: Anne <a@b.fr>\nSubject: s\nMIME-Version: 1.0\n"
            "Content-Type: multipart/mixed; boundary=\"part\"\n\n--part\nContent-Type: text/plain\n\nsee the file\n"
            "--part\nContent-Type: application/pdf; name=\"a.pdf\"\nContent-Disposition: attachment; filename=\"a.pdf\"\n"
            "Content-Transfer-Encoding: base64\n\n";
        const std::string line = "JVBERi0xLjQKJcfsj6IKNSAwIG9iago8PC9MZW5ndGggNiAwIFIvRmlsdGVyIC9GbGF0ZURlY29k\n";
        message.reserve(n + 1000);
        message += repeated(line, n / line.size());
        message += "--part--\n";
        return filterMessage(message);
    });
}

TEST(Pathological, HtmlOnlyMessages) {
    const std::string html = "From: Anne <a@b.fr>\nSubject: s\nContent-Type: text/html\n\n";
    // Text at every level: a mark for every level on every line would make
    // the text grow with the square of the nesting.
    expectLinear("nested blockquotes", 10000, [&](std::size_t n) {
        return filterMessage(html + repeated("<blockquote>x<br>", n));
    });
    const std::string tag = "<div class=\"mail_quote\" id='reply' style=border-top:solid;border:none>x";
    expectLinear("unclosed tags with attributes", 1u << 20, [&](std::size_t n) {
        return filterMessage(html + repeated(tag, n / tag.size()));
    });
    expectLinear("one tag, its attributes never ending", 1u << 20, [&](std::size_t n) {
        return filterMessage(html + "<blockquote" + repeated(" class=\"quote\" style='border-top:1px solid'", n / 45));
    });
}

TEST(Pathological, PlainTextThatLooksLikeHtml) {
    // Plain text is looked at as a whole for references and tags: each '&'
    // and '<' may begin one, and none may make the look go back.
    expectLinear("references that never close", 1u << 20, [](std::size_t n) {
        return filterMessage(header + repeated("&#1234567890123456789 &eacute", n / 30) + " &amp;\n");
    });
    expectLinear("'<' that begin no tag, then a reference", 1u << 20, [](std::size_t n) {
        return filterMessage(header + repeated("<blockquotes <a@b <", n / 19) + " &amp;\n");
    });
    expectLinear("a first line of a megabyte that ends in '>'", 1u << 20, [](std::size_t n) {
        return filterMessage(header + "<" + std::string(n, 'x') + ">\n<p>\n<p>\n");
    });
    expectLinear("tags on every line", 100000, [](std::size_t n) {
        return filterMessage(header + repeated("<p>x</p>\n", n));
    });
}

TEST(Pathological, QuotesAndAnswersInTurn) {
    // Under a separator each quote ends the earlier message and each answer
    // is read: the scanner looks one line ahead at every line end.
    expectLinear("quoted and unquoted lines in turn", 100000, [](std::size_t n) {
        return filterMessage(header + "-----Original Message-----\nFrom: Anne\n" + repeated("> asked\nanswered\n", n / 2));
    });
    expectLinear("separators and quotes in turn", 100000, [](std::size_t n) {
        return filterMessage(header + repeated("-----Original Message-----\nFrom: Anne\n> asked\nanswered\n", n / 4));
    });
    // Every body line a word and a colon, after a long line: whether it
    // follows a boundary or a separator is read from the line before.
    expectLinear("'Word:' lines after long lines", 1u << 20, [](std::size_t n) {
        return filterMessage(header + repeated(std::string(1000, 'x') + "\nNote: y\n", n / 1008));
    });
}

// The same kind of inputs with every option of the reading pass on, which
// reads the message line by line before the scanner does.
TEST(Pathological, WithTheReadingOptionsOn) {
    const std::vector<std::pair<const char*, std::string>> options = {
        {"[SPEAK LINKS]", "true"},           {"[DROP SIGNATURE]", "true"},
        {"[DROP SIGNED ARMOUR]", "true"},    {"[SQUEEZE REPLY MARKERS]", "true"},
        {"[DROP ATTRIBUTION]", "true"},      {"[FIND ORIGINAL MESSAGE]", "true"},
        {"[READ FORWARDED MESSAGES]", "true"}, {"[INCLUDE FORWARDED TEXT]", "true"}};
    auto withOptions = [&](const std::string& message) { return filterMessage(message, options); };
    expectLinear("options on: one token", 16u << 20, [&](std::size_t n) {
        return withOptions(header + std::string(n, 'w') + "\n");
    });
    expectLinear("options on: a link of a megabyte", 1u << 20, [&](std::size_t n) {
        return withOptions(header + "see http://" + std::string(n, 'a') + ".example/x\n");
    });
    expectLinear("options on: a link cut at every line", 100000, [&](std::size_t n) {
        return withOptions(header + "<http://example.com/" + repeated("a/\n", n) + ">\n");
    });
    expectLinear("options on: '>' starting each line", 1000000, [&](std::size_t n) {
        return withOptions(header + repeated(">\n", n));
    });
    expectLinear("options on: header lines", 100000, [&](std::size_t n) {
        std::string message;
        for (std::size_t i = 0; i < n; ++i) message += "X-Line-" + std::to_string(i) + ": value\n";
        return withOptions(message + "\nbody\n");
    });
    expectLinear("options on: subject markers", 100000, [&](std::size_t n) {
        return withOptions("Subject: " + repeated("Re: Fwd: ", n) + "x\n\nbody\n");
    });
    expectLinear("options on: signature lines", 100000, [&](std::size_t n) {
        return withOptions(header + repeated("-- \nname\n", n));
    });
    expectLinear("options on: armour never closed", 100000, [&](std::size_t n) {
        return withOptions(header + repeated("-----BEGIN PGP SIGNED MESSAGE-----\nHash: SHA256\n\ntext\n", n));
    });
    expectLinear("options on: attribution lines", 100000, [&](std::size_t n) {
        return withOptions(header + repeated("On Wed, Apr 4, 2012, Alice <\na@example.com> wrote:\n> x\n", n));
    });
    expectLinear("options on: earlier-message blocks", 100000, [&](std::size_t n) {
        return withOptions(header + repeated("From: Anne\nSent: Monday\nTo: Bob\nSubject: x\n\ntext\n", n));
    });
    expectLinear("options on: quoted and unquoted lines in turn", 100000, [&](std::size_t n) {
        return withOptions(header + "On Mon, 1 Jan 2024, Anne wrote:\n" + repeated("> asked\nanswered\n", n / 2));
    });
    expectLinear("options on: an attribution candidate on every line", 1u << 20, [&](std::size_t n) {
        const std::string line = "Sounds good. On Tue, Mar 11, 2025 at 9:12 AM, Lea Roth <lea@example.org> wrote:\n";
        return withOptions(header + repeated(line, n / line.size()));
    });
    expectLinear("options on: dated lines that go on", 1u << 20, [&](std::size_t n) {
        return withOptions(header + repeated("11.03.2025 09:12 \"Lea\" <lea@example.org>\n", n / 43));
    });
    expectLinear("options on: quotes marked with initials", 1u << 20, [&](std::size_t n) {
        return withOptions(header + repeated("AB> asked\nanswered\nAB> again\nAB> and again\n", n / 40));
    });
    expectLinear("options on: forwarded messages", 100000, [&](std::size_t n) {
        return withOptions("Subject: Fwd: x\n\n" +
                           repeated("---------- Forwarded message ---------\nFrom: Anne\nSubject: y\n\ntext\n", n / 5));
    });
    expectLinear("options on: other quote marks and answers", 1u << 20, [&](std::size_t n) {
        return withOptions(header + "On Mon, 1 Jan 2024, Anne wrote:\n" +
                           repeated(") asked\n| asked\n: asked\nanswered\n<snip>\n--]asked\n", n / 52));
    });
    expectLinear("options on: history under every attribution", 1u << 20, [&](std::size_t n) {
        const std::string piece = "On Mon, 1 Jan 2024 at 9:12, Anne <a@example.org> wrote:\n\ntext\n";
        return withOptions(header + repeated(piece, n / piece.size()) + "> a quote at the end\n");
    });
    expectLinear("options on: forwarded texts never ended", 1u << 20, [&](std::size_t n) {
        return withOptions(header + repeated("own text\n--- begin forwarded text\ntext\n", n / 40));
    });
    expectLinear("options on: date words before a wording", 1u << 20, [&](std::size_t n) {
        return withOptions(header + repeated(repeated("on the ", 100) + "1 Jan 2024 Anne wrote:\n> x\n", n / 720));
    });
    std::string bytes;
    for (int c = 1; c <= 255; ++c) bytes += static_cast<char>(c);
    expectLinear("options on: bytes 1 to 255", 4u << 20, [&](std::size_t n) {
        return withOptions(header + repeated(bytes, n / bytes.size()));
    });
}

// Digests read message by message, and signs read, with the options that
// act on the same lines: each message's head is read ahead of the pass, and
// a digest's first message is looked for once.
TEST(Pathological, DigestsAndSigns) {
    const std::vector<std::pair<const char*, std::string>> options = {
        {"[READ DIGESTS]", "true"},    {"[READ SYMBOLS]", "true"},       {"[QUIET SYMBOLS]", "true"},
        {"[DROP SIGNATURE]", "true"},  {"[FIND ORIGINAL MESSAGE]", "true"}, {"[READ PARAGRAPHS]", "true"},
        {"[READ FORWARDED MESSAGES]", "true"}};
    auto withOptions = [&](const std::string& message) { return filterMessage(message, options); };
    const std::string digest = "From: List <l@example.org>\nSubject: Orchid Digest, Vol 3 #42\n\nToday's Topics:\n";
    const run plain = expectLinear("10,000 digest messages", 10000, [&](std::size_t n) {
        return withOptions(digest + repeated("----------\n\nFrom: Anne\nSubject: x\n\ntext -- more\n"
                                           "-----Original Message-----\nFrom: Bob\n\nhow?\n-- \nAnne\n",
                                           n));
    });
    // Each message is said, not the first alone as the start of an earlier
    // message that runs to the end.
    EXPECT_GT(plain.spokenLength, 10000u * 20u);
    expectLinear("a multipart/digest of 10,000 messages", 10000, [&](std::size_t n) {
        return withOptions("From: List <l@example.org>\nSubject: s\nMIME-Version: 1.0\n"
                           "Content-Type: multipart/digest; boundary=\"d\"\n\n" +
                           repeated("--d\n\nFrom: Anne\nSubject: x\n\ntext\n", n) + "--d--\n");
    });
    expectLinear("dashes that begin no message, in a digest", 100000, [&](std::size_t n) {
        return withOptions(digest + repeated("----------\n\n\nFrom: Anne\ntext\n", n / 5) + "----------\nFrom: A\nTo: B\n");
    });
    expectLinear("dashes and labels on every line", 1u << 20, [&](std::size_t n) {
        return withOptions(header + repeated("(c) a -- b \x96 c - d--e\n", n / 22));
    });
}

// Names, list tags and dates said, on lines made of what they look for.
TEST(Pathological, WithNamesTagsAndDatesSaid) {
    const std::vector<std::pair<const char*, std::string>> options = {
        {"[SPEAK DATES]", "true"}, {"[SPEAK NAMES]", "true"}, {"[SPEAK LIST TAGS]", "true"},
        {"[SQUEEZE REPLY MARKERS]", "true"}};
    auto withOptions = [&](const std::string& message) { return filterMessage(message, options); };
    expectLinear("names: a sender of many quoted pieces", 1u << 20, [&](std::size_t n) {
        return withOptions("From: " + repeated("\"a, b\" (c) ", n / 12) + "<a@example.org>\n\nbody\n");
    });
    expectLinear("tags: a subject of many tags", 1u << 20, [&](std::size_t n) {
        return withOptions("Subject: " + repeated("[Orchids] Re: ", n / 14) + "x\n\nbody\n");
    });
    expectLinear("dates: one line of dates", 1u << 20, [&](std::size_t n) {
        return withOptions(header + repeated("Sat, 13 Apr 2002 10:00 and 2002-12-25, ", n / 40) + "\n");
    });
    expectLinear("dates: short names and numbers", 1u << 20, [&](std::size_t n) {
        return withOptions(header + repeated("Mar 3 Lun, 4 mar. ", n / 18) + "\n");
    });
    expectLinear("dates: a date folded on and on", 100000, [&](std::size_t n) {
        return withOptions("Date: Thu, 18 Jul 2002 21:16:12\n" + repeated(" x\n", n) + "\nbody\n");
    });
}

// Paragraphs and pasted code: the paragraph rule looks each paragraph
// through once and the code rule judges a block once, at its first line.
TEST(Pathological, ParagraphsAndCode) {
    const std::vector<std::pair<const char*, std::string>> options = {
        {"[READ PARAGRAPHS]", "true"}, {"[SUMMARIZE CODE]", "true"}, {"[QUIET SYMBOLS]", "true"},
        {"[SPEAK LINKS]", "true"}};
    auto withOptions = [&](const std::string& message) { return filterMessage(message, options); };
    expectLinear("a line of symbols of a megabyte", 1u << 20, [&](std::size_t n) {
        return withOptions(header + "x" + repeated("<(a{;=$", n / 7) + "\n");
    });
    expectLinear("one-character lines", 100000, [&](std::size_t n) { return withOptions(header + repeated("a\n", n)); });
    expectLinear("short lines that each go on in the next", 100000, [&](std::size_t n) {
        return withOptions(header + repeated("de\n", n) + "fin.\n");
    });
    expectLinear("a diff of a megabyte", 1u << 20, [&](std::size_t n) {
        return withOptions(header + "diff -u a/x b/x\n--- a/x\n+++ b/x\n" +
                           repeated("@@ -1,3 +1,3 @@\n a\n-b\n+c\n\n", n / 26) + "fin.\n");
    });
    // Each line could begin a block that its paragraph's end refutes.
    expectLinear("settings among prose without a blank line", 100000, [&](std::size_t n) {
        return withOptions(header + repeated("x = 1;\nla suite de la phrase.\n", n / 2));
    });
    expectLinear("a paragraph with a link cut at every third line", 100000, [&](std::size_t n) {
        return withOptions(header + repeated("voir la page\n<http://example.com/a/\nb/c>\n", n / 3));
    });
}

// Boilerplate is judged a block at a time and held until its text ends:
// inputs built to make a rule that looked again at each line, or searched
// its hosts one by one, take the square of their size.
TEST(Pathological, BoilerplateLeftOut) {
    const std::vector<std::pair<const char*, std::string>> options = {
        {"[SPEAK LINKS]", "true"},      {"[DROP SIGNATURE]", "true"},         {"[READ PARAGRAPHS]", "true"},
        {"[QUIET SYMBOLS]", "true"},    {"[FIND ORIGINAL MESSAGE]", "true"},  {"[LEAVE OUT BOILERPLATE]", "true"},
        {"[SAY WHAT WAS LEFT OUT]", "true"}};
    auto withOptions = [&](const std::string& message) { return filterMessage(message, options); };
    const std::string list = "From: Anne <anne@exemple.fr>\nSubject: Essai\nList-Id: <chorale.listes.exemple.fr>\n\n";
    expectLinear("boilerplate: rule lines", 10000, [&](std::size_t n) {
        return withOptions(list + "Texte.\n" + repeated("______________________________\n", n));
    });
    expectLinear("boilerplate: sponsors between rule lines", 10000, [&](std::size_t n) {
        return withOptions(list + "Texte.\n" + repeated("-----\nThis list is sponsored by http://a.exemple.fr/\n", n) +
                           "-----\nFin.\n");
    });
    const std::string clause = "This message is confidential and meant for its intended recipient only,\n";
    const run disclaimer = expectLinear("boilerplate: a disclaimer of a megabyte", 1u << 20, [&](std::size_t n) {
        return withOptions(list + "Texte.\n\n" + repeated(clause, n / clause.size()));
    });
    EXPECT_LT(disclaimer.spokenLength, 1000u) << "the disclaimer is left out";
    const run links = expectLinear("boilerplate: a megabyte of links to one host", 1u << 20, [&](std::size_t n) {
        return withOptions(list + "Voir " + repeated("http://nouvelles.exemple.fr/a ", n / 30) + "\n");
    });
    // The blank after each link stays: a phrase said again would be five
    // bytes a link or more.
    EXPECT_LT(links.spokenLength, (1u << 20) / 8) << "the host is named once";
    expectLinear("boilerplate: a megabyte of links to many hosts", 1u << 20, [&](std::size_t n) {
        std::string message = list + "Voir";
        for (std::size_t i = 0; message.size() < n; ++i) message += " http://h" + std::to_string(i) + ".exemple.fr/";
        return withOptions(message + "\n");
    });
    expectLinear("boilerplate: footers and text in turn", 1u << 20, [&](std::size_t n) {
        return withOptions(list + repeated("Texte.\n\n_____\nchorale mailing list\nchorale@listes.exemple.fr\n\n", n / 70));
    });
}
