#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "support/owned_text.h"

namespace postsift::platform {

// A text file read line by line, the same way on every system. A line ends
// with a line feed; a carriage return right before it is dropped, as Windows
// text-mode reading does, so a file saved with either convention reads the
// same. Lines have no length limit, and the last line needs no line feed.
// Every other byte reaches the caller unchanged: a lone carriage return, a
// NUL, and the Ctrl-Z that the Windows runtime would take for the end.
class textFile {
public:
    enum readResult { lineRead, endOfFile, readFailed };

    explicit textFile(const char* path);
    ~textFile();
    textFile(const textFile&) = delete;
    textFile& operator=(const textFile&) = delete;

    bool isOpen() const { return handle_ != closedHandle; }

    // Replaces `line` with the next line, without its line end. readFailed
    // when the system could not read or memory for the line ran short; the
    // file cannot be read further then.
    readResult readLine(ownedText& line);

private:
    static constexpr std::intptr_t closedHandle = -1;

    // The system's part (win32/ or posix/): up to `size` bytes, 0 at the end
    // of the file, -1 on an error.
    std::ptrdiff_t readRaw(char* into, std::size_t size);

    std::intptr_t handle_ = closedHandle;
    char buffer_[4096];
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
    bool failed_ = false;
    bool ended_ = false;
};

// The part common to both systems: cutting the raw bytes into lines.
inline textFile::readResult textFile::readLine(ownedText& line) {
    if (!isOpen() || failed_) return readFailed;
    // Reusing the line's allocation keeps a file of short lines to a few
    // allocations in all.
    if (line.isNull()) {
        if (!line.assign("", 0)) return readFailed;
    } else {
        line.truncate(0);
    }
    bool sawAnything = false;
    for (;;) {
        if (next_ == filled_) {
            if (ended_) break;
            const std::ptrdiff_t count = readRaw(buffer_, sizeof buffer_);
            if (count < 0) {
                failed_ = true;
                return readFailed;
            }
            if (count == 0) {
                ended_ = true;
                break;
            }
            next_ = 0;
            filled_ = static_cast<std::size_t>(count);
        }
        sawAnything = true;
        const char* start = buffer_ + next_;
        std::size_t length = filled_ - next_;
        const void* feed = std::memchr(start, '\n', length);
        if (feed != nullptr) length = static_cast<std::size_t>(static_cast<const char*>(feed) - start);
        if (!line.append(start, length)) {
            failed_ = true;
            return readFailed;
        }
        next_ += length;
        if (feed != nullptr) {
            ++next_;
            // The CR may have come at the end of the previous buffer: it is
            // already in the line either way.
            if (line.length() > 0 && line.get()[line.length() - 1] == '\r') line.truncate(line.length() - 1);
            return lineRead;
        }
    }
    return sawAnything ? lineRead : endOfFile;
}

}  // namespace postsift::platform
