#pragma once
#include <string>
#include <string_view>

namespace postsift::host {

// The text of an HTML part for matching against what is read, not for
// reading: tags are dropped (block tags end the line), comments, styles,
// scripts and the head with them, the common entities are undone, and each
// line inside a <blockquote> starts with "> " so that it counts as quoted.
// The part's own line breaks are kept: a source line is then judged on its
// own, which is finer than a whole paragraph.
std::string textOfHtml(std::string_view html);

}  // namespace postsift::host
