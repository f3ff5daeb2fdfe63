#include "support/owned_text.h"

#include <cstdlib>
#include <cstring>

namespace postsift {

void ownedText::release() {
    std::free(data_);
    data_ = nullptr;
    length_ = 0;
    capacity_ = 0;
}

bool ownedText::growFor(std::size_t length) {
    if (data_ != nullptr && length < capacity_) return true;
    std::size_t capacity = capacity_ < 16 ? 16 : capacity_;
    while (capacity <= length) {
        if (capacity > (static_cast<std::size_t>(-1) >> 1)) return false;
        capacity *= 2;
    }
    return resize(capacity);
}

bool ownedText::reserve(std::size_t length) {
    if (data_ != nullptr && length < capacity_) return true;
    if (length == static_cast<std::size_t>(-1)) return false;
    return resize(length + 1);
}

bool ownedText::resize(std::size_t capacity) {
    char* grown = static_cast<char*>(std::realloc(data_, capacity));
    if (grown == nullptr) return false;
    if (data_ == nullptr) grown[0] = '\0';
    data_ = grown;
    capacity_ = capacity;
    return true;
}

bool ownedText::assign(const char* text) {
    if (text == nullptr) {
        release();
        return true;
    }
    return assign(text, std::strlen(text));
}

bool ownedText::assign(const char* text, std::size_t length) {
    if (text == nullptr) {
        release();
        return true;
    }
    // The source may lie inside this text: copy it out first.
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (copy == nullptr) {
        release();
        return false;
    }
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    std::free(data_);
    data_ = copy;
    length_ = length;
    capacity_ = length + 1;
    return true;
}

bool ownedText::append(const char* piece, std::size_t length) {
    if (piece == nullptr) return true;
    if (data_ == nullptr) return assign(piece, length);
    if (length > static_cast<std::size_t>(-1) - length_ - 1) return false;
    if (length_ + length >= capacity_) {
        // The piece may point into this text; keep its offset across realloc.
        const bool inside = piece >= data_ && piece < data_ + capacity_;
        const std::size_t offset = inside ? static_cast<std::size_t>(piece - data_) : 0;
        if (!growFor(length_ + length)) return false;
        if (inside) piece = data_ + offset;
    }
    std::memmove(data_ + length_, piece, length);
    length_ += length;
    data_[length_] = '\0';
    return true;
}

bool ownedText::append(const char* piece) {
    return piece == nullptr ? true : append(piece, std::strlen(piece));
}

void ownedText::truncate(std::size_t length) {
    if (data_ == nullptr || length >= length_) return;
    length_ = length;
    data_[length_] = '\0';
}

void ownedText::resyncLength() {
    if (data_ != nullptr) length_ = std::strlen(data_);
}

char* ownedText::take() {
    char* taken = data_;
    data_ = nullptr;
    length_ = 0;
    capacity_ = 0;
    return taken;
}

char* copyText(const char* text) {
    if (text == nullptr) return nullptr;
    const std::size_t length = std::strlen(text);
    char* copy = static_cast<char*>(std::malloc(length + 1));
    if (copy != nullptr) std::memcpy(copy, text, length + 1);
    return copy;
}

}  // namespace postsift
