// Scans and parses synthetic messages of 10 KB, 1 MB and 16 MB with grammar
// operations that do nothing, so that the figures are the scanner's and the
// parser's alone. Reports bytes per second and the allocations of one parse:
// they must not grow with the number of tokens.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdlib>
#include <string>

#include "email/email_scanner.h"
#include "email/parse_driver.h"
#include "filter/epost_sift.h"
#include "idle_filter.h"

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
// Every malloc and realloc of the process, the C++ runtime's included, is
// counted by putting these in front of the C library's own.
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* __libc_realloc(void* block, std::size_t size);
static std::size_t allocationCount = 0;
extern "C" void* malloc(std::size_t size) {
    ++allocationCount;
    return __libc_malloc(size);
}
extern "C" void* realloc(void* block, std::size_t size) {
    ++allocationCount;
    return __libc_realloc(block, size);
}
#define POSTSIFT_COUNTS_ALLOCATIONS 1
#else
static std::size_t allocationCount = 0;
#endif

namespace {

const char headers[] =
    "From: Zavo Zozu <zavo@post.example>\n"
    "To: Team <team@lists.example>, Someone Else <someone@example.org>\n"
    "Subject: Weekly report, part 3 -- the numbers!\n"
    "Date: Mon, 1 Jan 2024 10:00:00 -0100\n"
    "X-Mailer: Bench Mail 1.0 (https://mail.example/about)\n"
    "X-Folded: a header that goes on\n\tover a second line\n"
    "\n";

const char bodyBlock[] =
    "Hello team,\n"
    "\n"
    "The numbers for this week are in, see the table below. ***Important*** -- read it!\n"
    "> On Monday, Zozu wrote:\n"
    "> the last figures were wrong > by a margin\n"
    ">> and this is older still\n"
    "____________________________________________\n"
    "Kind regards,\n"
    "--\n"
    "Zavo\n";

const char forwardedBlock[] =
    "Here is what was said before, quoted in full; nothing of it is read as a header.\n"
    "** notes ** and __underlined__ words > signs\n";

// A message of about `size` bytes: headers, body blocks with quoted text and
// a long line every so often, then a forwarded section for the last fifth.
std::string syntheticMessage(std::size_t size) {
    std::string longLine;
    while (longLine.size() < 4000) longLine += "lorem ipsum dolor sit amet, consectetur ";
    longLine += '\n';

    std::string text = headers;
    const std::size_t bodyEnd = size - size / 5;
    for (int block = 0; text.size() < bodyEnd; ++block) {
        text += bodyBlock;
        if (block % 8 == 7) text += longLine;
    }
    text += "-----Original Message-----\nFrom: Zozu\nSent: Friday\nSubject: figures\n\n";
    while (text.size() < size) text += forwardedBlock;
    return text;
}

void parseMessage(benchmark::State& state) {
    const std::string message = syntheticMessage(static_cast<std::size_t>(state.range(0)));
    idleFilter filter;

    // The whole message must be read: a parse that stopped early would
    // measure nothing.
    postsift::emailInputText = message.c_str();
    postsift::emailInputPos = 0;
    postsift::emailInputLength = message.size();
    postsift::resetEmailScanner();
    postsift::currentFilter = &filter;
    if (postsift::parseEmail() != 0 || postsift::emailInputPos != message.size()) {
        state.SkipWithError("the synthetic message does not parse to its end");
        return;
    }
    const std::size_t piecesPerParse = filter.textPieces;

    std::size_t allocations = 0;
    for (auto _ : state) {
        const std::size_t before = allocationCount;
        benchmark::DoNotOptimize(filter.parseEmailText(message.c_str(), message.size()));
        allocations += allocationCount - before;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(message.size()));
    state.counters["text_pieces"] = static_cast<double>(piecesPerParse);
#ifdef POSTSIFT_COUNTS_ALLOCATIONS
    state.counters["allocs_per_parse"] =
        static_cast<double>(allocations) / static_cast<double>(state.iterations());
#else
    (void)allocations;
#endif
}

}  // namespace

BENCHMARK(parseMessage)->Arg(10 << 10)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
