#pragma once
#include <cstddef>

#include "reading/lines/message_line.h"
#include "reading/lines/part_boundaries.h"
#include "reading/lines/reading_words.h"
#include "reading/pass/line_facts.h"
#include "reading/pass/line_window.h"
#include "reading/pass/pass_state.h"

namespace postsift {

// What a line looks like by its characters alone: a line a person wrote,
// or one a program wrote or reads (code, a log, a diff, a prompt, a
// setting, a row of hex or of figures). Judged on the line after its quote
// prefix; links, mail addresses and emoticons are words here, whatever
// their signs.
struct lineShape {
    bool prose = false;       // four words or more, nearly all of letters, and hardly a sign
    bool markup = false;      // an HTML tag: text sent as HTML, which is read, not announced
    bool codeLike = false;    // brackets, semicolons and operators among few words; or ending in '{', '(' or ';'
    bool comment = false;     // "//", "/*", "#": a comment of code or of a configuration
    bool timestamp = false;   // begins with a time with seconds, or a date and a time: a log's line
    bool prompt = false;      // a shell prompt and a command: "$ ls", "[ann@host tmp]$ make", "C:\> dir"
    bool assignment = false;  // "name = value", "NAME=value"
    bool setting = false;     // "name: value", the name in small letters as programs write them
    bool section = false;     // "[section]"
    bool frame = false;       // a frame of a stack trace: "at a.b.C(C.java:12)", "File "x.py", line 3"
    bool traceHead = false;   // "Traceback (most recent call last):", "Exception in thread ..."
    bool hexRow = false;      // a row of a hex dump: an offset and bytes, or a long run of escaped bytes
    bool numberRow = false;   // three figures or more in columns, and few words
    bool diffHeader = false;  // "diff ", "Index: ", "--- ", "+++ ", "@@ -1,3 +1,4 @@"
    const char* tagBegin = nullptr;  // the first word when it ends with ':' or ']' ("debug1:", "make[2]:") ...
    const char* tagEnd = nullptr;    // ... null when it does not
    bool message = false;            // a program's name in small letters, a colon and words: a log's line

    // Whatever a program wrote: a line that a reader keeps apart, never
    // joined to the sentence of the line before or after it.
    bool isMachineLine() const {
        return codeLike || timestamp || prompt || frame || traceHead || hexRow || numberRow || diffHeader ||
               assignment || section;
    }
    // A line that can begin a block to be announced.
    bool beginsBlock() const { return isMachineLine() || comment || setting; }
};

lineShape shapeOf(const lineFacts& line);

// Whatever a program wrote (lineShape::isMachineLine): told from the line's
// facts alone for most lines, which are sentences, and need no weighing of
// their words.
bool isMachineLine(const lineFacts& line, passState::lineVerdicts& verdicts);
// Whether the line can begin a block (lineShape::beginsBlock), told as
// cheaply.
bool beginsBlock(const lineFacts& line, passState::lineVerdicts& verdicts);

// A block of lines that is announced instead of read, as judged at its
// first line, looking ahead to its end.
struct codeBlock {
    bool found = false;
    codeKind kind = codeKind::code;
    std::size_t lines = 0;         // from the first line to the last, blank lines inside included
    const char* end = nullptr;     // where the line after the block begins
    const char* judged = nullptr;  // no block begins before this: the lines looked at, when none was found
};

// The block that begins at `first`, at most as far as the lines of the
// same quote depth go without a separator, a signature line, a MIME
// boundary or an earlier message's header. At least three lines:
// - a diff: its header lines and hunks, by the hunks' own line counts,
//   blank lines inside included;
// - a stack trace, a shell session, a log (lines that begin with a
//   timestamp, or all with one tag), a hex dump, a configuration (settings,
//   sections and comments), a table of figures, or code: a paragraph whose
//   lines are mostly of that shape, and hardly any of them prose. Prose at
//   its end is not the block's. A paragraph of the same kind after blank
//   lines joins it.
// When in doubt, none: a paragraph that mentions code, a signature with a
// telephone number, a short list, an address, text sent as HTML or a drawing
// of signs is read.
codeBlock codeBlockAt(const lineFacts& first, lineWindow& lines, const partBoundaries& boundaries,
                      passState::lineVerdicts& verdicts);

}  // namespace postsift
