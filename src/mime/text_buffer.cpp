#include "mime/text_buffer.h"

#include <cstdlib>
#include <cstring>

namespace postsift::mime {

textBuffer::~textBuffer() { std::free(data_); }

bool textBuffer::grow(std::size_t more) {
    if (failed_) return false;
    // One byte more than the text always stays free, for text()'s NUL.
    const std::size_t needed = size_ + more + 1;
    if (needed < size_) {
        failed_ = true;
        return false;
    }
    if (needed <= capacity_) return true;
    std::size_t capacity = capacity_ < 64 ? 64 : capacity_;
    while (capacity < needed) {
        if (capacity > (static_cast<std::size_t>(-1) >> 1)) {
            failed_ = true;
            return false;
        }
        capacity *= 2;
    }
    char* grown = static_cast<char*>(std::realloc(data_, capacity));
    if (grown == nullptr) {
        failed_ = true;
        return false;
    }
    data_ = grown;
    capacity_ = capacity;
    return true;
}

void textBuffer::reserve(std::size_t total) {
    if (failed_ || total < size_ || total + 1 <= capacity_ || total + 1 == 0) return;
    const std::size_t half = capacity_ / 2;
    const std::size_t capacity = total + 1 > capacity_ + half ? total + 1 : capacity_ + half;
    char* grown = static_cast<char*>(std::realloc(data_, capacity));
    if (grown == nullptr) {
        failed_ = true;
        return;
    }
    data_ = grown;
    capacity_ = capacity;
}

void textBuffer::put(const char* bytes, std::size_t count) {
    if (count == 0 || !grow(count)) return;
    std::memcpy(data_ + size_, bytes, count);
    size_ += count;
}

void textBuffer::put(const char* text) { put(text, std::strlen(text)); }

void textBuffer::removeAll(char c) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < size_; ++i)
        if (data_[i] != c) data_[kept++] = data_[i];
    size_ = kept;
}

char* textBuffer::release(std::size_t room) {
    if (failed_ || size_ + room < size_) return nullptr;
    // Cut to size: the block lives on for as long as the text is scanned.
    char* block = static_cast<char*>(std::realloc(data_, size_ + room > 0 ? size_ + room : 1));
    if (block == nullptr) return nullptr;
    data_ = nullptr;
    size_ = 0;
    capacity_ = 0;
    return block;
}

const char* textBuffer::text() {
    if (data_ == nullptr) return "";
    data_[size_] = '\0';
    return data_;
}

}  // namespace postsift::mime
