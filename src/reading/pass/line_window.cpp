#include "reading/pass/line_window.h"

namespace postsift {

lineFacts lineWindow::advanceTo(const char* position) {
    while (count_ > 0 && ring_[first_].line.begin < position) {
        first_ = (first_ + 1) % kept;
        --count_;
    }
    return at(position);
}

lineFacts lineWindow::at(const char* position) {
    for (std::size_t i = 0; i < count_; ++i) {
        if (slot(i).line.begin == position) return slot(i);
    }
    // Kept in a row: only the line right after the last one kept joins them.
    if (count_ > 0 && slot(count_ - 1).line.next != position) count_ = 0;
    const lineFacts facts = factsAt(position, textEnd_);
    if (count_ < kept) {
        ring_[(first_ + count_) % kept] = facts;
        ++count_;
    }
    return facts;
}

bool lineWindow::next(const lineFacts& line, lineFacts& after) {
    if (line.isLast()) return false;
    after = line.textEnd == textEnd_ ? at(line.line.next) : factsAt(line.line.next, line.textEnd);
    return true;
}

}  // namespace postsift
