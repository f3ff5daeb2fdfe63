#include "support/text_file.h"

#include <cstring>

namespace postsift {

textFile::readResult textFile::readLine(ownedText& line) {
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
            const std::ptrdiff_t count = file_.read(buffer_, sizeof buffer_);
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

}  // namespace postsift
