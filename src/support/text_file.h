#pragma once
#include <cstddef>

#include "platform/read_only_file.h"
#include "support/owned_text.h"

namespace postsift {

// A text file read line by line, the same way on every system. A line ends
// with a line feed; a carriage return right before it is dropped, as Windows
// text-mode reading does, so a file saved with either convention reads the
// same. Lines have no length limit, and the last line needs no line feed.
// Every other byte reaches the caller unchanged: a lone carriage return, a
// NUL, and the Ctrl-Z that the Windows runtime would take for the end.
class textFile {
public:
    enum readResult { lineRead, endOfFile, readFailed };

    explicit textFile(const char* path) : file_(path) {}

    bool isOpen() const { return file_.isOpen(); }

    // Replaces `line` with the next line, without its line end. readFailed
    // when the system could not read or memory for the line ran short; the
    // file cannot be read further then.
    readResult readLine(ownedText& line);

private:
    platform::readOnlyFile file_;
    char buffer_[4096];
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
    bool failed_ = false;
    bool ended_ = false;
};

}  // namespace postsift
