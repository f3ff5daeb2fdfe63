#pragma once
#include <cstddef>

#include "mime/byte_span.h"

namespace postsift::mime {

// The bytes the stage writes: grown as needed, freed with the buffer. When
// memory runs out it remembers so and takes nothing more; whoever asked for
// the text checks failed() once at the end instead of after every byte.
class textBuffer {
public:
    textBuffer() = default;
    ~textBuffer();
    textBuffer(const textBuffer&) = delete;
    textBuffer& operator=(const textBuffer&) = delete;

    void put(char c) {
        if (size_ + 1 >= capacity_ && !grow(1)) return;
        data_[size_++] = c;
    }
    void put(const char* bytes, std::size_t count);
    void put(byteSpan span) { put(span.begin, span.size()); }
    void put(const char* text);

    // Room for `total` bytes in all before the buffer grows again: a large
    // text is held once, at its size, not in a block grown by doubling to
    // twice what it needs. Growing for one more small piece still takes half
    // as much again, so that many pieces cost no more than they would.
    void reserve(std::size_t total);

    bool failed() const { return failed_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    char back() const { return size_ > 0 ? data_[size_ - 1] : '\0'; }
    // Changes or drops the last byte (there must be one).
    void setBack(char c) { data_[size_ - 1] = c; }
    void popBack() { --size_; }
    byteSpan bytes() const { return byteSpan(data_, data_ + size_); }
    char* data() { return data_; }
    // The bytes followed by a NUL (always room for it), or "" when empty.
    const char* text();
    // Marks the text as lost, as when memory ran out.
    void fail() { failed_ = true; }
    // Drops every such byte.
    void removeAll(char c);
    // Forgets the bytes, keeps the memory.
    void clear() { size_ = 0; }
    // Hands the bytes over in a block from malloc cut to size() + `room`
    // bytes (the caller frees it), and is left empty; null when the text was
    // lost or memory ran out.
    char* release(std::size_t room);

private:
    bool grow(std::size_t more);

    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool failed_ = false;
};

}  // namespace postsift::mime
