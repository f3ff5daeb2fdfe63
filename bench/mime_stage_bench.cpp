// The decoding stage's cost. On a message with nothing to decode it must be
// a small part of filtering that message (one pass over the header fields
// and over text that declares a character set), and a large attachment
// must be passed over, not decoded:
//   nothingToDecode/N      the stage alone on a plain message of N bytes
//   filterPlain/N/on|off   the whole filtering run of that message, with
//                          the stage on and off: their ratio is its cost
//   largeAttachment/N      the stage on a message with an N-byte base64
//                          attachment after a short text part
#include <benchmark/benchmark.h>

#include <string>

#include "filter/localized_epost_sift.h"
#include "mime/mime_stage.h"

namespace {

const char plainHeaders[] =
    "From: Zavo Zozu <zavo@post.example>\n"
    "To: Team <team@lists.example>\n"
    "Subject: Weekly report, part 3\n"
    "Date: Mon, 1 Jan 2024 10:00:00 +0100\n"
    "MIME-Version: 1.0\n"
    "Content-Type: text/plain; charset=us-ascii\n"
    "Content-Transfer-Encoding: 7bit\n"
    "\n";

const char plainBlock[] =
    "Hello team,\n"
    "\n"
    "The numbers for this week are in, see the table below. Read it before Friday!\n"
    "> On Monday, Zozu wrote:\n"
    "> the last figures were wrong by a margin\n"
    "Kind regards,\n"
    "Zavo\n";

std::string plainMessage(std::size_t size) {
    std::string text = plainHeaders;
    while (text.size() < size) text += plainBlock;
    return text;
}

std::string attachmentMessage(std::size_t attachmentSize) {
    std::string text =
        "From: Zavo Zozu <zavo@post.example>\n"
        "Subject: =?utf-8?q?Rapport_annuel?=\n"
        "Content-Type: multipart/mixed; boundary=\"=_part_0_123456\"\n"
        "\n"
        "--=_part_0_123456\n"
        "Content-Type: text/plain; charset=utf-8\n"
        "Content-Transfer-Encoding: quoted-printable\n"
        "\n"
        "Voici le rapport annuel, bonne lecture =C3=A0 tous.\n"
        "--=_part_0_123456\n"
        "Content-Type: application/pdf; name=\"rapport.pdf\"\n"
        "Content-Disposition: attachment; filename=\"rapport.pdf\"\n"
        "Content-Transfer-Encoding: base64\n"
        "\n";
    const std::string line = "JVBERi0xLjQKJcfsj6IKNSAwIG9iago8PC9MZW5ndGggNiAwIFIvRmlsdGVyIC9GbGF0ZURlY29k\n";
    const std::size_t end = text.size() + attachmentSize;
    while (text.size() < end) text += line;
    text += "--=_part_0_123456--\n";
    return text;
}

void runStage(benchmark::State& state, const std::string& message, postsift::mime::stageOutcome expected) {
    postsift::mime::stageOptions options;
    options.attachmentPhrase = "Pi\xe8" "ce jointe : %s.";
    for (auto _ : state) {
        postsift::mime::textBuffer out;
        postsift::mime::stageFindings found;
        if (postsift::mime::decodeMessage(message.data(), message.size(), options, out, found) != expected) {
            state.SkipWithError("the stage did not do what the message asks");
            return;
        }
        benchmark::DoNotOptimize(out.bytes().begin);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(message.size()));
}

void nothingToDecode(benchmark::State& state) {
    runStage(state, plainMessage(static_cast<std::size_t>(state.range(0))), postsift::mime::stageOutcome::unchanged);
}

void largeAttachment(benchmark::State& state) {
    runStage(state, attachmentMessage(static_cast<std::size_t>(state.range(0))),
             postsift::mime::stageOutcome::decoded);
}

void filterPlain(benchmark::State& state) {
    const std::string message = plainMessage(static_cast<std::size_t>(state.range(0)));
    postsift::localizedEpostSift filter;
    if (state.range(1) == 0) filter.updateFilter("[DECODE MIME]", "false");
    filter.activateFilter();
    for (auto _ : state) {
        const char* spoken = nullptr;
        filter.getFilteredText(message.c_str(), &spoken, 0);
        benchmark::DoNotOptimize(spoken);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(message.size()));
}

}  // namespace

BENCHMARK(nothingToDecode)->Arg(10 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(filterPlain)->ArgsProduct({{10 << 10, 1 << 20}, {1, 0}})->Unit(benchmark::kMicrosecond);
BENCHMARK(largeAttachment)->Arg(1 << 20)->Arg(50 << 20)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
