#pragma once
#include <cstddef>

#include "email/keyword_format.h"
#include "support/owned_text.h"

namespace postsift {

// The text that the reading pass writes, piece by piece. A piece that finds
// no memory is remembered, so that the pass can give up as a whole instead
// of handing the scanner a text with a hole in it.
class readingOutput {
public:
    explicit readingOutput(ownedText& text) : text_(text) {}

    void put(const char* from, const char* to) { note(text_.append(from, static_cast<std::size_t>(to - from))); }
    void put(const char* text) { note(text_.append(text)); }
    // A phrase whose first "%s" stands for `filling`.
    void putPhrase(const char* phrase, const char* filling) { note(appendKeywordPhrase(text_, phrase, filling)); }

    bool ok() const { return ok_; }

private:
    void note(bool done) { ok_ = ok_ && done; }

    ownedText& text_;
    bool ok_ = true;
};

}  // namespace postsift
