#pragma once
#include <cstddef>

#include "reading/pass/line_facts.h"

namespace postsift {

// The facts of the lines from the one the pass reads on, kept as they are
// worked out: a rule that looks ahead (is the next line quoted? where does
// this paragraph end?) and the pass when it comes to those lines find them
// worked out already. A rule never looks behind the pass's line, so what
// lies behind it is let go. A look further ahead than the window holds is
// worked out and not kept.
class lineWindow {
public:
    explicit lineWindow(const char* textEnd) : textEnd_(textEnd) {}

    // The pass reads the line that begins at `position`: what lies before
    // it is let go. Its facts.
    lineFacts advanceTo(const char* position);
    // The facts of the line that begins at `position`, at or after the
    // pass's line; they stay where they are until the window is next asked.
    const lineFacts& at(const char* position);
    // The facts of the line after `line`; false when `line` is the last
    // of its text.
    bool next(const lineFacts& line, lineFacts& after);
    // The same, not copied: where the window keeps them, or, for a line of
    // another text, worked out apart. They stay there until the window is
    // next asked. Null when `line` is the last of its text.
    const lineFacts* after(const lineFacts& line);

private:
    static constexpr std::size_t kept = 32;

    const lineFacts& slot(std::size_t i) const { return ring_[(first_ + i) % kept]; }

    const char* textEnd_;
    lineFacts ring_[kept];
    lineFacts beyond_;  // a line further ahead than the window keeps
    lineFacts apart_;   // a line of another text
    std::size_t first_ = 0;
    std::size_t count_ = 0;
    // Where the line after the one found last is kept: lines are mostly
    // asked for one after the other.
    std::size_t following_ = 0;
};

}  // namespace postsift
