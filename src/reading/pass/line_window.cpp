#include "reading/pass/line_window.h"

#include <new>
#include <type_traits>

namespace postsift {

lineFacts lineWindow::advanceTo(const char* position) {
    while (count_ > 0 && ring_[first_].line.begin < position) {
        first_ = (first_ + 1) % kept;
        --count_;
    }
    following_ = 0;
    return at(position);
}

const lineFacts& lineWindow::at(const char* position) {
    if (following_ < count_ && slot(following_).line.begin == position) return slot(following_++);
    for (std::size_t i = 0; i < count_; ++i) {
        if (slot(i).line.begin == position) {
            following_ = i + 1;
            return slot(i);
        }
    }
    // Kept in a row: only the line right after the last one kept joins them.
    if (count_ > 0 && slot(count_ - 1).line.next != position) count_ = 0;
    if (count_ == kept) {
        beyond_ = factsAt(position, textEnd_);
        return beyond_;
    }
    // Made in its place, not made and copied there: a slot's facts need
    // no end of their own before others take their place.
    static_assert(std::is_trivially_destructible_v<lineFacts>);
    lineFacts& added = *new (&ring_[(first_ + count_) % kept]) lineFacts(factsAt(position, textEnd_));
    following_ = ++count_;
    return added;
}

bool lineWindow::next(const lineFacts& line, lineFacts& after) {
    const lineFacts* found = this->after(line);
    if (found == nullptr) return false;
    after = *found;
    return true;
}

const lineFacts* lineWindow::after(const lineFacts& line) {
    if (line.isLast()) return nullptr;
    if (line.textEnd == textEnd_) return &at(line.line.next);
    apart_ = factsAt(line.line.next, line.textEnd);
    return &apart_;
}

}  // namespace postsift
