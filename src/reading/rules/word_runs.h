#pragma once
#include <cstddef>
#include <cstdint>

namespace postsift {

// The words of a text as wordAt cuts them: runs of bytes between blanks (a
// space or a tab). They are found by one walk over the bytes that looks
// each up in a table and notes where a run begins or ends, with no branch
// on what the byte is: a walk that stops at the end of each word guesses
// wrong at nearly every one, since words are of every length. A long text
// is split in pieces of a few hundred bytes, each of which ends at a blank
// or at the text's end, so that no run is cut.
class wordRuns {
public:
    // Finds the runs of the piece of [from, end) that begins at `from`;
    // returns where the piece ends, from where the next piece is split
    // (`end` after the last).
    const char* split(const char* from, const char* end);

    std::size_t count() const { return edges_ / 2; }
    const char* begin(std::size_t run) const { return from_ + at_[2 * run]; }
    const char* end(std::size_t run) const { return from_ + at_[2 * run + 1]; }

private:
    static constexpr std::size_t pieceBytes = 256;

    const char* from_ = nullptr;
    std::size_t edges_ = 0;
    // Where each run begins and ends, from `from_`: a run's end is where
    // its blank is. A piece of pieceBytes bytes, and the rest of the run
    // its last byte is in, has a run begin or end at each of its first
    // pieceBytes + 1 bytes at most, and one end after them.
    std::uint32_t at_[pieceBytes + 2];
};

}  // namespace postsift
