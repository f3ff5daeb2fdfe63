#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace postsift::host {

// The words of a text as matching sees them: runs of ASCII letters and
// digits, lower-cased. Every other byte separates words, so that a letter
// outside ASCII splits a word alike in any charset ("café" is "caf" in
// UTF-8, Latin-1 and Windows-1252), and punctuation never decides.
std::vector<std::string> wordsOf(std::string_view text);
// How many such words, without making them.
std::size_t wordCount(std::string_view text);

// The words of a written line, each link reduced to its host without
// "www": the plug-in may say a link by its host ("link to example.org"),
// and the host is what a raw link and a spoken one share. HTML tags in a
// plain text part are no words either.
std::vector<std::string> writtenWords(std::string_view line);

// A spoken text, indexed to tell whether a written line was heard.
class heardWords {
public:
    explicit heardWords(std::string_view spoken);

    // True when the words are found in order, most of them, within a window
    // of the spoken words a little longer than the line: the plug-in
    // rewrites a little (a date said in words, a link by its host, a symbol
    // left out, lines joined into paragraphs) but keeps the writer's words
    // and their order. Two thirds of the words, in a window of twice the
    // line's length and a few more, allow for those rewrites and still miss
    // a line that is gone, whose few common words ("the", "to") would not
    // come in order and close together.
    bool hears(const std::vector<std::string>& words) const;

    bool empty() const { return count_ == 0; }

private:
    std::unordered_map<std::string, std::vector<std::size_t>> places_;
    std::size_t count_ = 0;
};

}  // namespace postsift::host
