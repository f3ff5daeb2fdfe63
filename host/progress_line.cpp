#include "progress_line.h"

#include <cstdio>

namespace postsift::host {
namespace {

constexpr std::size_t quietMessages = 4;
constexpr std::chrono::milliseconds redrawInterval(100);

}  // namespace

void progressLine::messageDone(const std::string& source) {
    ++messages_;
    if (!enabled_ || messages_ <= quietMessages) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastShown_ < redrawInterval) return;
    const std::string line =
        "postsift-filter: " + std::to_string(messages_) + " messages filtered (" + source + ")";
    clear();
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    shownLength_ = line.size();
    lastShown_ = now;
}

void progressLine::clear() {
    if (shownLength_ == 0) return;
    std::fprintf(stderr, "\r%*s\r", static_cast<int>(shownLength_), "");
    std::fflush(stderr);
    shownLength_ = 0;
}

}  // namespace postsift::host
