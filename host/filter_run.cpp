#include "filter_run.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>
#include <vector>

#include "input_reader.h"
#include "mbox_splitter.h"
#include "text_encoding.h"

namespace postsift::host {

bool filterRun::run() {
    for (const inputSource& input : options_.inputs) {
        if (stopped_) break;
        if (input.report) {
            filterReportInput(input.path);
        } else if (input.mailbox) {
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

namespace {

enum class reportFile { message, mailbox, other };

// What a file of a report holds, by its first line: a mailbox opens with
// "From ", a message with a header field. Anything else in a mail folder
// (a log, a mail program's index or lock) is no message.
reportFile kindOfReportFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string line;
    if (!std::getline(file, line)) return reportFile::other;
    if (line.compare(0, 5, "From ") == 0) return reportFile::mailbox;
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string::npos) return reportFile::other;
    for (std::size_t i = 0; i < colon; ++i)
        if (line[i] <= ' ' || line[i] > '~') return reportFile::other;
    return reportFile::message;
}

}  // namespace

// A folder gives each message file in it and in its folders, in the order
// of their paths so that two reports compare line by line; a file named on
// the command line is a mailbox when it opens as one ("From "), else a
// message of its own, which a mailbox reading would cut at a body line that
// starts with "From ".
void filterRun::filterReportInput(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code failure;
    if (path != "-" && fs::is_directory(path, failure)) {
        std::vector<std::string> files;
        for (fs::recursive_directory_iterator entry(path, failure), end; !failure && entry != end;
             entry.increment(failure))
            if (entry->is_regular_file(failure)) files.push_back(entry->path().string());
        if (failure) complain("cannot list " + path + ": " + failure.message());
        std::sort(files.begin(), files.end());
        for (const std::string& file : files) {
            if (stopped_) break;
            const reportFile kind = kindOfReportFile(file);
            if (kind == reportFile::mailbox) {
                filterMailbox(file);
            } else if (kind == reportFile::message) {
                filterFile(file);
            }
        }
        return;
    }
    if (path != "-" && kindOfReportFile(path) != reportFile::mailbox) {
        filterFile(path);
    } else {
        filterMailbox(path);
    }
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
    if (report_ != nullptr) {
        // An inactive filter hands back what it was given.
        report_->add(where, message, spoken == text.c_str() ? std::string_view(message)
                                     : spoken != nullptr   ? std::string_view(spoken)
                                                           : std::string_view());
    } else if (spoken == text.c_str()) {
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
