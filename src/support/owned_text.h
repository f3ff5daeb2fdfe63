#pragma once
#include <cstddef>

namespace postsift {

// A heap text owned by one object: NUL-terminated 8-bit bytes, or absent
// (null). Appends grow a capacity beside the exact length, so a text built
// one token at a time costs amortised constant work per append.
// Every operation that needs memory reports failure by its result instead of
// throwing, because the callers answer 2 for "out of memory".
class ownedText {
public:
    ownedText() = default;
    ~ownedText() { release(); }
    ownedText(const ownedText&) = delete;
    ownedText& operator=(const ownedText&) = delete;

    // The text, or nullptr when absent.
    const char* get() const { return data_; }
    char* data() { return data_; }
    bool isNull() const { return data_ == nullptr; }
    std::size_t length() const { return length_; }

    void release();
    // Replaces the text by a copy of `text` (nullptr makes it absent).
    bool assign(const char* text);
    bool assign(const char* text, std::size_t length);
    // Appends `length` bytes; an absent text becomes a copy of them.
    bool append(const char* piece, std::size_t length);
    bool append(const char* piece);
    // Makes room for exactly `length` bytes, when there is less, so that
    // appends up to that length move nothing; an absent text becomes empty.
    bool reserve(std::size_t length);
    // Shortens the text to `length` bytes; the allocation is kept.
    void truncate(std::size_t length);
    // Takes the NUL that someone wrote into the text into account.
    void resyncLength();
    // Hands the allocation to the caller, who frees it with std::free.
    char* take();

private:
    // Room for `length` bytes, doubling the capacity: amortised appends.
    bool growFor(std::size_t length);
    bool resize(std::size_t capacity);

    char* data_ = nullptr;
    std::size_t length_ = 0;
    std::size_t capacity_ = 0;
};

// A malloc'ed copy of a NUL-terminated text, or nullptr.
char* copyText(const char* text);

}  // namespace postsift
