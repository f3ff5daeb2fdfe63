#pragma once
#include <string>
#include <vector>

namespace postsift::bench {

// Appends the messages at `path` to `messages`: for a folder, every regular
// file in it and in its subfolders, one message each, in the order of their
// paths; for a file, the messages of a mailbox in mbox format (a file with
// no "From " line is one message). Each message ends at its first NUL, as
// the plug-in reads it. False, with `error` saying why, when the path cannot
// be read or holds no message.
bool readMail(const std::string& path, std::vector<std::string>& messages, std::string& error);

}  // namespace postsift::bench
