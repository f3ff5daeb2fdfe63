#pragma once
#include <string>

namespace postsift::platform {

// Captures what this process writes to its standard output for a while:
// through the C runtime's stdout (which a plug-in shares with its host) and
// straight to file descriptor 1 alike. Construction starts the capture,
// finish() or destruction ends it and puts standard output back.
//
// The bytes go to a temporary file rather than a pipe, so that a writer
// producing more than a pipe holds can never block the thread that would
// have to empty it.
class stdoutCapture {
public:
    stdoutCapture();
    ~stdoutCapture();
    stdoutCapture(const stdoutCapture&) = delete;
    stdoutCapture& operator=(const stdoutCapture&) = delete;

    // False when the capture could not start; standard output is then
    // untouched and error() says why.
    bool capturing() const { return capturing_; }
    const std::string& error() const { return error_; }

    // Ends the capture and hands over the bytes written meanwhile. False
    // when they could not be read back (standard output is restored anyway).
    bool finish(std::string& captured);

private:
    void restore();

    bool capturing_ = false;
    int savedOutput_ = -1;
    int captureFile_ = -1;
    std::string error_;
};

}  // namespace postsift::platform
