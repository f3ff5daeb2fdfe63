#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace postsift::host {

// What a line of a message's text is to its reader. Only the writer's own
// text must be heard: quotes, attributions, signatures and earlier
// messages are left out or read by the configuration's choice.
enum class lineRole {
    text,            // the writer's own words
    blank,           // nothing but blanks
    quoted,          // "> ...", "| ...", "kre> ...", ") ...", "# ..."
    attribution,     // "On Monday, Zavo wrote:" above a quote
    signature,       // the "-- " line and all below it
    earlierMessage,  // from an "Original Message" line or a forwarded header block on
    fields,          // a block of header fields quoted in the text ("Date: ...", "From: ...")
    armour,          // the lines of a PGP signature's armour around the text
};

// The role of each line of one text part, in order.
std::vector<lineRole> rolesOfLines(const std::vector<std::string>& lines);

bool isQuotedLine(std::string_view line);

// "Note: ...": a single word (letters, hyphens) with a colon opens the line
// and words follow it. `rest` is what follows the colon.
bool isWordColonLine(std::string_view line, std::string_view& rest);

}  // namespace postsift::host
