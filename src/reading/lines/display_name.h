#pragma once
#include <cstddef>
#include <string>

namespace postsift {

// The name in a text that names a person the way mail does ("\"Bob Smith\"
// <bob@example.com>", "Brendan Keller [mailto:b@x.com]"): its words without
// addresses, quotes and bracketed parts, and without a trailing comma,
// semicolon or quote. `words` receives how many words it has. Empty when
// no word with a letter is left.
std::string displayName(const char* begin, const char* end, std::size_t& words);
std::string displayName(const std::string& text, std::size_t& words);

// Who a "From:" value names, to be said: its display name, or its address
// when it gives none ("paul@example.org", "<paul@example.org>"). Empty when
// it holds neither.
std::string senderName(const std::string& value);

}  // namespace postsift
