#include "reading/rules/word_runs.h"

#include "reading/lines/line_text.h"

namespace postsift {

namespace {

// A word each: no widening in the walk.
constexpr byteTable<std::uint32_t> blankBytes =
    tableOfBytes<std::uint32_t>([](unsigned char c) { return c == ' ' || c == '\t'; });

}  // namespace

const char* wordRuns::split(const char* from, const char* end) {
    const char* stop = end;
    if (static_cast<std::size_t>(end - from) > pieceBytes) stop = firstBlank(from + pieceBytes, end);
    from_ = from;
    const std::uint32_t length = static_cast<std::uint32_t>(stop - from);
    // Each byte's offset is written where the next edge goes, and kept
    // there when the byte is an edge: where a blank and a byte that is no
    // blank meet, whichever comes after the other.
    std::size_t edges = 0;
    std::uint32_t blank = 1;
    const auto step = [&](std::uint32_t i) {
        const std::uint32_t next = blankBytes.of[static_cast<unsigned char>(from[i])];
        at_[edges] = i;
        edges += next ^ blank;
        blank = next;
    };
    std::uint32_t i = 0;
    for (; length - i >= 4; i += 4) {
        step(i);
        step(i + 1);
        step(i + 2);
        step(i + 3);
    }
    for (; i < length; ++i) step(i);
    // A run that goes on to the piece's end ends there.
    at_[edges] = length;
    edges += blank ^ 1;
    edges_ = edges;
    return stop;
}

}  // namespace postsift
