#pragma once
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "raw_markup.h"

namespace postsift::host {

class progressLine;

// The phrase that a reading report gives the "[BODY]" symbol in place of
// the configuration's: the spoken text is the summary up to it and the
// body after it, whatever the language or configuration says there.
extern const char reportBodyMark[];

// A spoken text cut at the mark; without the mark (a message without a
// header, a filter without the symbol) all of it is body.
struct spokenParts {
    std::string summary;
    std::string body;
};
spokenParts splitAtBodyMark(std::string_view spoken);

// What a listener missed of one message, and what was read out raw.
struct readingJudgement {
    bool noBody = false;     // the writer's words, and nothing of them read
    std::string firstLine;   // the first line of those words, for a message without body
    std::vector<std::string> lostLines;      // six words or more, not heard
    std::vector<std::string> lostWordLines;  // "Word: ..." lines not heard
    rawMarkup heard;
};

// Judges a raw message against what the plug-in made of it (with the
// report's body mark). Only the writer's own lines are judged (see
// line_roles.h). A line that opens with "Word:" is judged by what follows
// the colon, since the keyword itself may be a rule's to rewrite, and only
// as such; any other line counts from six words on, as shorter ones are
// greetings, names and headings that a reading may well drop. A message read
// with no body counts once, not for each of its lines.
readingJudgement judgeReading(std::string_view raw, std::string_view spoken);

// The report: each message that lost something or had markup read, as it
// comes, then one summary line.
class readingReport {
public:
    // A progress line on the same terminal is taken away before each entry.
    readingReport(std::FILE* out, progressLine& progress) : out_(out), progress_(progress) {}

    void add(const std::string& where, std::string_view raw, std::string_view spoken);
    // "report: 2 messages, 1 read with no body, ..."
    std::string summaryLine() const;

private:
    std::FILE* out_;
    progressLine& progress_;
    std::size_t messages_ = 0;
    std::size_t noBody_ = 0;
    std::size_t lostLines_ = 0;
    std::size_t lostWordLines_ = 0;
    std::size_t links_ = 0;
    std::size_t tags_ = 0;
    std::size_t entities_ = 0;
    std::size_t encodedWords_ = 0;
};

// A line as the report shows it: UTF-8 (bytes that are not taken for
// Windows-1252), blanks squeezed, cut to about `width` characters.
std::string shownLine(std::string_view line, std::size_t width = 72);

}  // namespace postsift::host
