#pragma once
#include "reading/lines/message_line.h"

namespace postsift {

// Quotes marked with the writer's initials, as some mail programs write
// them: "AB> Try it again with the new build", "K> The article is online",
// with or without a leading blank. A run of two lines or more that each
// begin with the same short prefix of letters and '>' is quoted text, at
// the depth of its '>' marks; a lone such line is text.
class initialsQuote {
public:
    // The line as the rest of the pass reads it: from its first '>' when it
    // is such a quote, so that the initials are neither read nor written.
    messageLine read(const messageLine& line, const char* textEnd);
    // Whether a run of such quotes begins at this line.
    static bool beginsRun(const messageLine& line, const char* textEnd);

private:
    char run_[4] = {};  // the initials of the run going on, empty when none
};

}  // namespace postsift
