#pragma once
#include <cstddef>
#include <memory>
#include <new>
#include <utility>

#include "reading/pass/reading_rule.h"

namespace postsift {

// Where the rules of one message are made: one after another in room of
// the pass's own, where each would be an allocation of its own, made and
// let go again for every message (some twenty of them, a short message's
// largest cost after its words). A rule that finds the room full is made
// on the heap; either way it goes with its handle, before the room does.
class ruleRoom {
public:
    // How a rule made here ends: on the heap it is deleted, in the room
    // only ended.
    struct release {
        bool onHeap = true;
        void operator()(readingRule* rule) const {
            if (onHeap)
                delete rule;
            else
                rule->~readingRule();
        }
    };
    using handle = std::unique_ptr<readingRule, release>;

    ruleRoom() = default;
    ruleRoom(const ruleRoom&) = delete;
    ruleRoom& operator=(const ruleRoom&) = delete;

    template <class rule, class... madeWith>
    handle make(madeWith&&... with) {
        static_assert(alignof(rule) <= alignof(std::max_align_t), "the room's places are aligned for any rule");
        void* place = take(sizeof(rule));
        if (place == nullptr) return handle(new rule(std::forward<madeWith>(with)...), release{true});
        return handle(new (place) rule(std::forward<madeWith>(with)...), release{false});
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

    // Enough for every rule of the table at once.
    static constexpr std::size_t capacity = 4096;
    alignas(std::max_align_t) unsigned char bytes_[capacity];
    std::size_t used_ = 0;
};

}  // namespace postsift
