#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A fuzzer's input read from the front: single bytes for choices and texts
// that end at a NUL byte. Past the end every byte reads 0 and every text is
// empty, so that any input is a valid one.
class fuzzInput {
public:
    fuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return next_ >= size_; }

    unsigned byte() { return next_ < size_ ? data_[next_++] : 0u; }

    // The bytes up to the next NUL, which is consumed, or up to the end.
    std::string text() {
        const std::size_t start = next_;
        while (next_ < size_ && data_[next_] != 0) ++next_;
        std::string piece(reinterpret_cast<const char*>(data_) + start, next_ - start);
        if (next_ < size_) ++next_;
        return piece;
    }

    // Everything not read yet, NUL bytes included.
    std::string rest() {
        std::string piece(reinterpret_cast<const char*>(data_) + next_, size_ - next_);
        next_ = size_;
        return piece;
    }

    // The rest cut at NUL bytes; at least one (empty) piece.
    std::vector<std::string> pieces() {
        std::vector<std::string> all{text()};
        while (!empty()) all.push_back(text());
        return all;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t next_ = 0;
};
