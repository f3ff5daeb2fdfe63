#pragma once
#include "reading/pass/reading_rule.h"

namespace postsift {

// Links in body text, spoken by their host instead of character by
// character: a word that begins with "http://", "https://", "ftp://",
// "mailto:" or "www." becomes the phrase of "[LINK]", its first "%s"
// standing for the host (without "www.", credentials or port; for
// "mailto:" the address's domain).
//
// A link keeps its neighbours: trailing punctuation and a closing
// parenthesis that it did not open stay in the text, angle brackets around
// it go with it. A link that a line end cuts stays one link: inside angle
// brackets it runs to the '>' (at most three lines on); without them it
// goes on to the next line when it filled its line to the end, the line is
// as long as wrapped lines are, and the next line, at the same quote depth,
// begins with what can only be the rest of an address (a '/', '?', '=',
// '&', '#', '%', '~' or a dot inside it).
class linkSpeech : public readingRule {
public:
    // A null phrase drops links altogether.
    explicit linkSpeech(const char* phrase) : phrase_(phrase) {}

    // Writes a line that holds a link, prefix and line end included, with
    // its links spoken; a link cut by line ends takes the lines it runs on
    // with it.
    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;

private:
    const char* phrase_;
};

}  // namespace postsift
