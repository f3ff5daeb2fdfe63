#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace postsift::host {

// Cuts a mailbox in mbox format into its messages, fed in pieces of any
// size so that a large mailbox never has to be held whole.
//
// A message begins at a line that starts with "From " at the start of the
// mailbox or after a line feed; that line is the mailbox's, not the
// message's, and is dropped, as is the one empty line that the format puts
// after every message. Body lines that started with "From " were written as
// ">From ", and ">From " as ">>From " and so on: one '>' is taken off again.
// Text before the first "From " line is kept as a message of its own unless
// it is blank, so that nothing of a damaged mailbox is lost.
class mboxSplitter {
public:
    // Appends to `ready` every message completed by this piece.
    void feed(std::string_view piece, std::vector<std::string>& ready);
    // The end of the mailbox: appends the last message, if any.
    void finish(std::vector<std::string>& ready);

private:
    void takeLine(std::string_view line, std::vector<std::string>& ready);
    void complete(std::vector<std::string>& ready);

    std::string line_;     // a line not yet ended by a line feed
    std::string message_;  // the message being collected
    bool opened_ = false;  // a "From " line opened message_
};

}  // namespace postsift::host
