#include "mbox_splitter.h"

namespace postsift::host {
namespace {

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

// ">From ", ">>From " ...: a body line quoted by the mailbox writer.
bool isQuotedFromLine(std::string_view line) {
    const std::size_t quotes = line.find_first_not_of('>');
    return quotes != 0 && quotes != std::string_view::npos && startsWith(line.substr(quotes), "From ");
}

// The empty line that separates a message from the next "From " line.
void dropSeparatorLine(std::string& message) {
    if (message.size() >= 2 && message.compare(message.size() - 2, 2, "\n\n") == 0) {
        message.pop_back();
    } else if (message.size() >= 4 && message.compare(message.size() - 4, 4, "\r\n\r\n") == 0) {
        message.resize(message.size() - 2);
    } else if (message == "\n" || message == "\r\n") {
        message.clear();
    }
}

}  // namespace

void mboxSplitter::feed(std::string_view piece, std::vector<std::string>& ready) {
    while (!piece.empty()) {
        const std::size_t end = piece.find('\n');
        if (end == std::string_view::npos) {
            line_.append(piece);
            return;
        }
        if (line_.empty()) {
            takeLine(piece.substr(0, end + 1), ready);
        } else {
            line_.append(piece.substr(0, end + 1));
            takeLine(line_, ready);
            line_.clear();
        }
        piece.remove_prefix(end + 1);
    }
}

void mboxSplitter::finish(std::vector<std::string>& ready) {
    if (!line_.empty()) {
        takeLine(line_, ready);
        line_.clear();
    }
    complete(ready);
    opened_ = false;
}

void mboxSplitter::takeLine(std::string_view line, std::vector<std::string>& ready) {
    if (startsWith(line, "From ")) {
        complete(ready);
        opened_ = true;
        return;
    }
    if (isQuotedFromLine(line)) line.remove_prefix(1);
    message_.append(line);
}

void mboxSplitter::complete(std::vector<std::string>& ready) {
    if (opened_ || !isBlank(message_)) {
        dropSeparatorLine(message_);
        ready.push_back(std::move(message_));
    }
    message_.clear();
}

}  // namespace postsift::host
