#include "reading/pass/reading_output.h"

#include <cstring>

#include "reading/lines/message_line.h"
#include "reading/lines/separators.h"
#include "reading/pass/line_facts.h"

namespace postsift {

void readingOutput::putPrefix(const lineFacts& line) {
    const char* mark = line.markAsQuote;
    if (mark == nullptr) {
        put(line.line.begin, line.line.prefixEnd);
        return;
    }
    put(">");
    for (const char* p = line.line.begin + 1; p < mark; ++p) put(" ");
    put(mark, line.line.prefixEnd);
}

// An edit outside the written text is a rule's mistake: the pass then gives
// up as a whole, and the scanner reads the message as it came.
void readingOutput::insert(std::size_t offset, const char* piece) {
    const std::size_t length = text_.length();
    if (offset > length) {
        note(false);
        return;
    }
    // The text grows at its end by the piece (never a part of the text),
    // then what follows `offset` moves up to make its place: no copy of the
    // tail is made elsewhere.
    const std::size_t added = std::strlen(piece);
    ++edits_;
    if (!text_.append(piece, added)) {
        note(false);
        return;
    }
    char* text = text_.data();
    std::memmove(text + offset + added, text + offset, length - offset);
    std::memcpy(text + offset, piece, added);
    if (lineBegin_ > offset) lineBegin_ += added;
    if (looked_ > offset) looked_ += added;
    for (std::size_t& mark : marks_)
        if (mark != unset && mark > offset) mark += added;
    for (std::size_t i = trailCount_; i > 0 && trail_[i - 1] > offset; --i) trail_[i - 1] += added;
}

void readingOutput::erase(std::size_t offset, std::size_t count) {
    if (offset > text_.length() || count > text_.length() - offset) {
        note(false);
        return;
    }
    ++edits_;
    char* text = text_.data();
    std::memmove(text + offset, text + offset + count, text_.length() - offset - count);
    text_.truncate(text_.length() - count);
    if (lineBegin_ > offset) lineBegin_ = lineBegin_ >= offset + count ? lineBegin_ - count : offset;
    if (looked_ > offset) looked_ = looked_ >= offset + count ? looked_ - count : offset;
    for (std::size_t& mark : marks_)
        if (mark != unset && mark > offset) mark = mark >= offset + count ? mark - count : offset;
    for (std::size_t i = trailCount_; i > 0 && trail_[i - 1] > offset; --i)
        trail_[i - 1] = trail_[i - 1] >= offset + count ? trail_[i - 1] - count : offset;
}

bool readingOutput::noteTrail(std::size_t& index) {
    if (trailCount_ == trailRoom) return false;
    index = trailCount_;
    trail_[trailCount_++] = text_.length();
    return true;
}

std::size_t readingOutput::newMark() {
    marks_.push_back(unset);
    return marks_.size() - 1;
}

void readingOutput::followLines() {
    const char* text = text_.get();
    if (text == nullptr) return;
    const std::size_t length = text_.length();
    while (looked_ < length) {
        const void* feed = std::memchr(text + looked_, '\n', length - looked_);
        if (feed == nullptr) {
            looked_ = length;
            return;
        }
        const std::size_t next = static_cast<std::size_t>(static_cast<const char*>(feed) - text) + 1;
        // As the scanner goes: a section ends before a line, and outside
        // one a separator line, which begins with a dash, begins one.
        if (inSection_ || text[lineBegin_] == '-') {
            const messageLine line = lineAt(text + lineBegin_, text + next);
            if (inSection_ && sectionEnd_.endsBefore(line)) inSection_ = false;
            if (!inSection_ && isOriginalMessageSeparator(line)) {
                inSection_ = true;
                sectionEnd_.begin();
            }
        }
        lineBegin_ = looked_ = next;
    }
}

}  // namespace postsift
