#pragma once
#include <string>
#include <unordered_set>

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
//
// With "[LEAVE OUT BOILERPLATE]", a host is named once a paragraph: a
// newsletter that links every line to its own site would otherwise say the
// site's name again and again. A later link to a host the paragraph has
// named is said with the phrase of "[LINK AGAIN]" ("link"), and a link
// right after a link to the same host, nothing but blanks and punctuation
// between them, is not said at all.
class linkSpeech : public readingRule {
public:
    // A null phrase drops links altogether; a null `again` drops the links
    // to a host named before in the paragraph; without `once`, every link
    // is said in full.
    explicit linkSpeech(const char* phrase, bool once = false, const char* again = nullptr)
        : phrase_(phrase), again_(again), once_(once) {
        showOnlyLinesHolding(taking, holdsLink);
    }

    // Writes a line that holds a link, prefix and line end included, with
    // its links spoken; a link cut by line ends takes the lines it runs on
    // with it.
    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;
    // A blank line, a change of quote depth or a line that is no text ends
    // the paragraph; words between links part them.
    void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
               readingOutput& out) override;

private:
    // Writes the phrase for a link to `host`, as this paragraph has it.
    void say(const std::string& host, bool adjacent, readingOutput& out);

    const char* phrase_;
    const char* again_;
    bool once_;
    std::unordered_set<std::string> named_;  // the hosts this paragraph has named, folded
    std::string last_;                // the host of the last link
    bool adjacent_ = false;           // nothing but blanks and punctuation since the last link
    int depth_ = 0;
    const char* taken_ = nullptr;     // the line this rule wrote last
};

}  // namespace postsift
