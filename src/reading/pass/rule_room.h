#pragma once
#include <cstddef>
#include <new>
#include <stdexcept>
#include <utility>

#include "reading/pass/reading_rule.h"

namespace postsift {

// At most this many rules read a message: one for each row of the table.
inline constexpr std::size_t mostRules = 24;

// Where the rules of one message are made, and who ends them: one after
// another in room of the pass's own, where each would be an allocation of
// its own, made and let go again for every message (some twenty of them, a
// short message's largest cost after its words). A rule that finds the room
// full is made on the heap. The rules end with the room, the last made
// first.
class ruleRoom {
public:
    ruleRoom() = default;
    ruleRoom(const ruleRoom&) = delete;
    ruleRoom& operator=(const ruleRoom&) = delete;
    ~ruleRoom() {
        while (count_ > 0) made_[--count_].end();
    }

    template <class rule, class... madeWith>
    rule* make(madeWith&&... with) {
        static_assert(alignof(rule) <= alignof(std::max_align_t), "the room's places are aligned for any rule");
        if (count_ == mostRules) throw std::length_error("more rules than the table has rows");
        void* place = take(sizeof(rule));
        rule* made = place != nullptr ? new (place) rule(std::forward<madeWith>(with)...)
                                      : new rule(std::forward<madeWith>(with)...);
        made_[count_++] = {made, place == nullptr};
        return made;
    }

private:
    void* take(std::size_t size) {
        constexpr std::size_t step = alignof(std::max_align_t);
        const std::size_t taken = (size + step - 1) / step * step;
        if (capacity - used_ < taken) return nullptr;
        void* place = bytes_ + used_;
        used_ += taken;
        return place;
    }

    struct madeRule {
        readingRule* rule;
        bool onHeap;
        void end() const {
            if (onHeap)
                delete rule;
            else
                rule->~readingRule();
        }
    };

    // Enough for every rule of the table at once (the largest, the
    // boilerplate rule, keeps the facts of the lines it has yet to judge).
    static constexpr std::size_t capacity = 16384;
    alignas(std::max_align_t) unsigned char bytes_[capacity];
    madeRule made_[mostRules];
    std::size_t count_ = 0;
    std::size_t used_ = 0;
};

}  // namespace postsift
