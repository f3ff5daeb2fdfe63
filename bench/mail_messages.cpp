#include "mail_messages.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "mbox_splitter.h"

namespace postsift::bench {

namespace {

namespace fs = std::filesystem;

bool readFile(const fs::path& file, std::string& text, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad() || !in.is_open()) {
        error = file.string() + ": cannot be read";
        return false;
    }
    return true;
}

void add(std::string text, std::vector<std::string>& messages) {
    // The plug-in reads up to the first NUL; the bytes after it are not part
    // of what it filters.
    text.resize(std::strlen(text.c_str()));
    messages.push_back(std::move(text));
}

bool readFolder(const fs::path& folder, std::vector<std::string>& messages, std::string& error) {
    std::error_code failure;
    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator item(folder, failure), end; !failure && item != end;
         item.increment(failure))
        if (item->is_regular_file()) files.push_back(item->path());
    if (failure) {
        error = folder.string() + ": " + failure.message();
        return false;
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::string text;
        if (!readFile(file, text, error)) return false;
        add(std::move(text), messages);
    }
    return true;
}

bool readMailbox(const fs::path& file, std::vector<std::string>& messages, std::string& error) {
    std::string text;
    if (!readFile(file, text, error)) return false;
    host::mboxSplitter splitter;
    std::vector<std::string> found;
    splitter.feed(text, found);
    splitter.finish(found);
    for (std::string& message : found) add(std::move(message), messages);
    return true;
}

}  // namespace

bool readMail(const std::string& path, std::vector<std::string>& messages, std::string& error) {
    const std::size_t before = messages.size();
    std::error_code failure;
    const bool folder = fs::is_directory(path, failure);
    if (!(folder ? readFolder(path, messages, error) : readMailbox(path, messages, error))) return false;
    if (messages.size() == before) {
        error = path + ": no messages";
        return false;
    }
    return true;
}

}  // namespace postsift::bench
