#pragma once
#include <cstdio>
#include <string>

namespace postsift::host {

class progressLine;

// Writes what the engine would read, message after message: UTF-8, or the
// plug-in's own Windows-1252 bytes when raw. Every text ends with a line
// feed (one is added when the plug-in's text has none) and the separator
// line stands between two messages' texts. Also keeps the UTF-8 text for a
// speech engine when asked to.
class spokenOutput {
public:
    spokenOutput(std::FILE* out, bool raw, std::string separator, bool keepForSpeech, progressLine& progress);

    // `spoken` may be null: the message gave nothing to say.
    void write(const char* spoken);
    // Bytes the plug-in wrote to its standard output, shown on standard error.
    void echoStray(const std::string& stray);
    // Flushes; false when anything could not be written.
    bool finish();

    const std::string& speechText() const { return speech_; }

private:
    std::string encoded(const std::string& text) const;

    std::FILE* out_;
    bool raw_;
    std::string separator_;
    bool keepForSpeech_;
    progressLine& progress_;
    bool toTerminal_;
    std::size_t written_ = 0;
    std::string speech_;
};

}  // namespace postsift::host
