#pragma once
#include <chrono>
#include <cstddef>
#include <string>

namespace postsift::host {

// "postsift-filter: 120 messages filtered (inbox.mbox, message 120)" on stderr, rewritten
// in place, for runs long enough to wonder about. Shown only where it
// helps: on a terminal, not silenced, after the first few messages, and
// redrawn at most a few times a second.
class progressLine {
public:
    explicit progressLine(bool enabled) : enabled_(enabled) {}
    ~progressLine() { clear(); }
    progressLine(const progressLine&) = delete;
    progressLine& operator=(const progressLine&) = delete;

    void messageDone(const std::string& source);
    // Takes the line away, before anything else is written to the terminal.
    void clear();

private:
    bool enabled_;
    std::size_t messages_ = 0;
    std::size_t shownLength_ = 0;
    std::chrono::steady_clock::time_point lastShown_;
};

}  // namespace postsift::host
