#include "reading_report.h"

#include "ascii_text.h"
#include "heard_words.h"
#include "line_roles.h"
#include "message_text.h"
#include "progress_line.h"
#include "text_encoding.h"

namespace postsift::host {

// Letters only: the plug-in copies the symbol's value as it is, and no
// message says it.
const char reportBodyMark[] = "PostsiftReportBodyStartsHere";

namespace {

// "1 link", "2 links"; `plural` when not just an "s".
std::string counted(std::size_t count, const std::string& one, const std::string& plural = std::string()) {
    return std::to_string(count) + " " + (count == 1 ? one : plural.empty() ? one + "s" : plural);
}

void printPieces(std::FILE* out, const std::vector<std::string>& pieces, const std::string& one,
                 const std::string& plural = std::string()) {
    if (pieces.empty()) return;
    std::fprintf(out, "  heard %s: %s", counted(pieces.size(), one, plural).c_str(), shownLine(pieces[0], 60).c_str());
    if (pieces.size() > 1) std::fputs(", ...", out);
    std::fputc('\n', out);
}

}  // namespace

spokenParts splitAtBodyMark(std::string_view spoken) {
    const std::size_t mark = spoken.find(reportBodyMark);
    if (mark == std::string_view::npos) return {std::string(), std::string(spoken)};
    return {std::string(spoken.substr(0, mark)), std::string(spoken.substr(mark + sizeof reportBodyMark - 1))};
}

readingJudgement judgeReading(std::string_view raw, std::string_view spoken) {
    readingJudgement judgement;
    const spokenParts parts = splitAtBodyMark(spoken);
    judgement.heard = findRawMarkup(parts.summary + "\n" + parts.body);
    const heardWords heard(parts.body);
    const messageText text = readMessageText(raw);
    bool ownWords = false;
    for (const textPart& part : text.parts) {
        const std::vector<lineRole> roles = rolesOfLines(part.lines);
        for (std::size_t i = 0; i < part.lines.size(); ++i) {
            if (roles[i] != lineRole::text) continue;
            const std::string& line = part.lines[i];
            const std::vector<std::string> words = writtenWords(line);
            if (!ownWords && !words.empty()) {
                judgement.firstLine = line;
                ownWords = true;
            }
            std::string_view rest;
            if (isWordColonLine(line, rest)) {
                if (!heard.hears(writtenWords(rest))) judgement.lostWordLines.push_back(line);
                continue;
            }
            if (words.size() >= 6 && !heard.hears(words)) judgement.lostLines.push_back(line);
        }
    }
    if (ownWords && heard.empty()) {
        judgement.noBody = true;
        judgement.lostLines.clear();
        judgement.lostWordLines.clear();
    }
    return judgement;
}

void readingReport::add(const std::string& where, std::string_view raw, std::string_view spoken) {
    ++messages_;
    const readingJudgement judgement = judgeReading(raw, spoken);
    const rawMarkup& heard = judgement.heard;
    noBody_ += judgement.noBody ? 1 : 0;
    lostLines_ += judgement.lostLines.size();
    lostWordLines_ += judgement.lostWordLines.size();
    links_ += heard.links.size();
    tags_ += heard.tags.size();
    entities_ += heard.entities.size();
    encodedWords_ += heard.encodedWords.size();
    if (!judgement.noBody && judgement.lostLines.empty() && judgement.lostWordLines.empty() && heard.links.empty() &&
        heard.tags.empty() && heard.entities.empty() && heard.encodedWords.empty())
        return;
    progress_.clear();
    std::fprintf(out_, "%s\n", where.c_str());
    if (judgement.noBody) std::fprintf(out_, "  read with no body: %s\n", shownLine(judgement.firstLine).c_str());
    for (const std::string& line : judgement.lostLines) std::fprintf(out_, "  not heard: %s\n", shownLine(line).c_str());
    for (const std::string& line : judgement.lostWordLines)
        std::fprintf(out_, "  'Word:' line not heard: %s\n", shownLine(line).c_str());
    printPieces(out_, heard.links, "link");
    printPieces(out_, heard.tags, "tag");
    printPieces(out_, heard.entities, "entity", "entities");
    printPieces(out_, heard.encodedWords, "encoded word");
}

std::string readingReport::summaryLine() const {
    return "report: " + counted(messages_, "message") + ", " + std::to_string(noBody_) + " read with no body, " +
           counted(lostLines_, "line of six words or more", "lines of six words or more") + " not heard, " +
           counted(lostWordLines_, "'Word:' line") + " not heard, " + counted(links_, "link") + ", " +
           counted(tags_, "tag") + ", " + counted(entities_, "entity", "entities") + ", " +
           counted(encodedWords_, "encoded word") + " heard";
}

std::string shownLine(std::string_view line, std::size_t width) {
    const std::string_view text = trimmed(line);
    const std::string utf8 = isValidUtf8(text) ? std::string(text) : windows1252ToUtf8(text);
    std::string out;
    std::size_t characters = 0;
    for (const char byte : utf8) {
        const unsigned char c = static_cast<unsigned char>(byte);
        const bool continuation = (c & 0xc0) == 0x80;
        // Tabs and control characters show as blanks, and blanks once.
        const char shown = c < ' ' ? ' ' : byte;
        if (shown == ' ' && !out.empty() && out.back() == ' ') continue;
        if (!continuation && characters == width) {
            out += "...";
            break;
        }
        out += shown;
        if (!continuation) ++characters;
    }
    return out;
}

}  // namespace postsift::host
