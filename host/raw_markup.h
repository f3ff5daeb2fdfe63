#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace postsift::host {

// What a listener should never hear read out as it is written: raw links,
// HTML tags, character entities and MIME encoded words. Each list holds the
// pieces found in a spoken text, in order.
struct rawMarkup {
    std::vector<std::string> links;         // "http://...", "www...."
    std::vector<std::string> tags;          // "<br>", "</font>", "<a href=...>"
    std::vector<std::string> entities;      // "&amp;", "&#8220;"
    std::vector<std::string> encodedWords;  // "=?iso-8859-1?Q?caf=E9?="
};

rawMarkup findRawMarkup(std::string_view spoken);

// The text without its HTML tags (as findRawMarkup knows them): a tag is
// markup for a browser, never words for a listener.
std::string withoutTags(std::string_view text);

}  // namespace postsift::host
