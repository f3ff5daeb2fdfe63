#pragma once
#include <cstddef>

#include "support/owned_text.h"

namespace postsift {

class epostSift;

// Rewrites a message for reading aloud before the scanner sees it, when one
// of the options of the reading rules (reading/pass/rule_table.h) is on:
// links spoken by their host, signatures and the armour of signed messages
// left out, stacked reply markers of a subject said once, attribution lines
// said by name or left out, dates said as people say them, and the earlier
// messages that other mail programs mark written as the scanner knows them.
// False when every such option is off or memory ran out: the scanner then
// reads the message as it came.
bool rewriteForReading(epostSift& filter, const char* text, std::size_t length, ownedText& out);

}  // namespace postsift
