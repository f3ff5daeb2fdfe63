#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace postsift {

// An attribution is one line of a few words, or a run of at most three; a
// longer text is a paragraph that happens to end in "wrote:".
inline constexpr std::size_t longestAttribution = 300;

// What an attribution says, read from its text (one to three lines joined
// by blanks).
struct attributionReading {
    bool found = false;    // it is an attribution
    bool certain = false;  // by a wording of one of the languages ("wrote:", "a écrit :", "skrev")
    bool spoken = false;   // the wording is one that prose uses too ("said:")
    bool dated = false;    // it holds a date or a time in figures, or a month and a number
    std::string name;      // who wrote, without date, address or quotes; empty when only an address says it
};

// An attribution is either
// - a wording of one of the languages: the name before "wrote:", "said:",
//   "mentioned:", "a écrit :", "schreef:", "escribió:", "ha scritto:" ...
//   (and none in "you wrote:", "vous avez écrit :", "Sie schrieben:",
//   which the reader wrote), or after "schrieb",
//   "skrev", "schreef" up to the final ':'; a leading or trailing date goes
//   ("On Wed, 4 Apr 2012 at 15:59, Bob" gives "Bob");
// - or, in any language, by its shape: a date or time at one end, a name or
//   an address, and a final ':' ("11.03.2025 09:12 \"Lea\" <lea@x.org>:"),
//   or a date followed by a name and an address ("2025/3/11 Kenji
//   <kenji@x.jp>"). The name's words then begin with capitals, so that a
//   sentence such as "Meeting at 10:00 with Marc:" is none.
// A name has five words at most; a longer text is a sentence.
attributionReading readAttribution(std::string_view text);

}  // namespace postsift
