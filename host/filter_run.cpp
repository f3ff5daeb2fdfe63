#include "filter_run.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "input_reader.h"
#include "mbox_splitter.h"
#include "text_encoding.h"

namespace postsift::host {

bool filterRun::run() {
    for (const inputSource& input : options_.inputs) {
        if (stopped_) break;
        if (input.mailbox) {
            filterMailbox(input.path);
        } else {
            filterFile(input.path);
        }
    }
    return !failed_;
}

void filterRun::complain(const std::string& message) {
    progress_.clear();
    std::fprintf(stderr, "postsift-filter: %s\n", message.c_str());
    failed_ = true;
}

void filterRun::filterFile(const std::string& path) {
    std::string bytes;
    std::string error;
    if (!readWhole(path, bytes, error)) {
        complain(error);
        return;
    }
    filterMessage(std::move(bytes), inputName(path));
}

void filterRun::filterMailbox(const std::string& path) {
    mboxSplitter splitter;
    std::vector<std::string> ready;
    std::size_t number = 0;
    auto filterReady = [&] {
        for (std::string& message : ready) {
            if (stopped_) break;
            filterMessage(std::move(message), inputName(path) + ", message " + std::to_string(++number));
        }
        ready.clear();
    };
    std::string error;
    const bool read = readInPieces(
        path,
        [&](std::string_view piece) {
            splitter.feed(piece, ready);
            filterReady();
        },
        error);
    // What was read of a damaged mailbox is still worth filtering.
    splitter.finish(ready);
    filterReady();
    if (!read) complain(error);
}

void filterRun::filterMessage(std::string message, const std::string& where) {
    // The plug-in reads up to the first NUL: the rest would be lost silently.
    const auto nuls = std::count(message.begin(), message.end(), '\0');
    if (nuls > 0) {
        message.erase(std::remove(message.begin(), message.end(), '\0'), message.end());
        progress_.clear();
        std::fprintf(stderr, "postsift-filter: %s: %ld NUL byte%s left out\n", where.c_str(),
                     static_cast<long>(nuls), nuls == 1 ? "" : "s");
    }
    const std::string text = toPluginMessage(message, options_.encoding, decodingStageOn(options_));
    const char* spoken = nullptr;
    std::string stray;
    std::string error;
    if (!session_.filter(text, spoken, stray, error)) {
        complain(error);
        stopped_ = true;
        return;
    }
    if (options_.echo) output_.echoStray(stray);
    if (spoken == text.c_str()) {
        // A filter that is off hands back the message itself, in whatever
        // encoding it came: read as --set values are (from the bytes as they
        // came, not as converted for the plug-in), it is written as any text
        // of the plug-in.
        const std::string passedThrough = toPluginText(message, options_.encoding);
        output_.write(passedThrough.c_str());
    } else {
        output_.write(spoken);
    }
    progress_.messageDone(where);
}

}  // namespace postsift::host
