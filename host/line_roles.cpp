#include "line_roles.h"

#include "ascii_text.h"
#include "heard_words.h"

namespace postsift::host {

namespace {

bool isRuleCharacter(char c) { return c == '-' || c == '_' || c == '=' || c == '*' || c == '~'; }

// "-----Original Message-----", "-------- Weitergeleitete Nachricht --------",
// "Begin forwarded message:": the mail programs' marks above an earlier
// message. The rule characters keep ordinary sentences about messages out;
// armour ("-----BEGIN PGP SIGNED MESSAGE-----") wraps the writer's own text.
bool isEarlierMessageMark(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (startsWithNoCase(text, "begin forwarded message") || startsWithNoCase(text, "begin forwarded text"))
        return true;
    std::size_t rule = 0;
    while (rule < text.size() && (isRuleCharacter(text[rule]) || text[rule] == ' ')) ++rule;
    if (rule < 3 || containsNoCase(text, "pgp")) return false;
    for (const char* words : {"original message", "forwarded message", "forwarded text", "message original",
                              "message d'origine", "nachricht", "forwarded by", "message transf"})
        if (containsNoCase(text, words)) return true;
    return false;
}

// The keyword of a header-like line ("From", "De", "Message-ID"),
// lower-cased, or empty. Blanks may stand before the colon ("De :") and
// stars around the keyword ("*From:*"), as mail programs write them.
std::string fieldKeyword(std::string_view line) {
    std::string_view text = trimmed(line);
    while (!text.empty() && text.front() == '*') text.remove_prefix(1);
    std::size_t end = 0;
    while (end < text.size() && (isAsciiLetter(text[end]) || static_cast<unsigned char>(text[end]) >= 0x80 ||
                                 (end > 0 && text[end] == '-')))
        ++end;
    std::size_t colon = end;
    while (colon < text.size() && (text[colon] == ' ' || text[colon] == '*')) ++colon;
    if (end == 0 || colon >= text.size() || text[colon] != ':') return std::string();
    if (text.compare(colon + 1, 2, "//") == 0) return std::string();  // a link
    return asciiLowered(text.substr(0, end));
}

bool isOneOf(const std::string& word, std::initializer_list<const char*> words) {
    for (const char* candidate : words)
        if (word == candidate) return true;
    return false;
}

bool isSenderKeyword(const std::string& word) { return isOneOf(word, {"from", "de", "von"}); }

// What Outlook-like programs write under the sender of an earlier message
// ("Envoyé" matched by its ASCII start, whatever charset wrote the rest).
bool isSentKeyword(const std::string& word) {
    return isOneOf(word, {"sent", "gesendet"}) || word.compare(0, 5, "envoy") == 0;
}

bool isSubjectKeyword(const std::string& word) { return isOneOf(word, {"subject", "objet", "betreff"}); }

bool isHeaderKeyword(const std::string& word) {
    return isSenderKeyword(word) || isSentKeyword(word) || isSubjectKeyword(word) || word.compare(0, 2, "x-") == 0 ||
           isOneOf(word, {"to", "cc", "date", "reply-to", "message-id", "received", "return-path", "delivered-to",
                          "mime-version", "content-type", "envelope-to", "user-agent", "organization", "newsgroups",
                          "a", "an", "datum"});
}

// How many lines from `at` form a block of header fields (their folded
// lines with them): two fields or more, one of them a header's own. Zero
// for anything else. A block is looked at so far only, so that a text of
// nothing but "Word:" lines is not read again from each of them.
constexpr std::size_t longestFieldBlock = 64;

std::size_t fieldBlockLength(const std::vector<std::string>& lines, std::size_t at) {
    std::size_t fields = 0;
    bool header = false;
    std::size_t next = at;
    while (next < lines.size() && next - at < longestFieldBlock) {
        const std::string keyword = fieldKeyword(lines[next]);
        if (!keyword.empty()) {
            ++fields;
            header = header || isHeaderKeyword(keyword);
        } else if (fields == 0 || lines[next].empty() || !isBlank(lines[next][0])) {
            break;
        }
        ++next;
    }
    return fields >= 2 && header ? next - at : 0;
}

// A block of fields with a sender and a date sent or a subject: the header
// of an earlier message that a reply or forward carries below the text.
bool isEarlierHeader(const std::vector<std::string>& lines, std::size_t at, std::size_t length) {
    bool sender = false;
    bool more = false;
    for (std::size_t i = at; i < at + length; ++i) {
        const std::string keyword = fieldKeyword(lines[i]);
        sender = sender || isSenderKeyword(keyword);
        more = more || isSentKeyword(keyword) || isSubjectKeyword(keyword);
    }
    return sender && more;
}

bool endsWithNoCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && startsWithNoCase(text.substr(text.size() - end.size()), end);
}

// "..., Zavo wrote:" and its kin in the three languages ("a écrit :" in any
// charset ends in "crit :").
bool isAttribution(std::string_view line) {
    const std::string_view text = trimmed(line);
    for (const char* end : {"wrote:", "wrote :", "writes:", "said:", "schrieb:", "schrieb :", "crit:", "crit :"})
        if (endsWithNoCase(text, end)) return true;
    return false;
}

// How attributions begin in the three languages.
bool opensAttribution(std::string_view line) {
    const std::string_view text = trimmed(line);
    for (const char* start : {"on ", "in article", "at ", "quoting ", "le ", "am "})
        if (startsWithNoCase(text, start)) return true;
    return false;
}


bool isSignatureMark(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.remove_suffix(1);
    return line == "--";
}

}  // namespace

bool isQuotedLine(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && isBlank(line[at])) ++at;
    if (at < line.size() && (line[at] == '>' || line[at] == '|')) return true;
    if (line.compare(at, 2, "# ") == 0) return true;
    // ") text", "} text", "--]text": marks of other readers' quotes, which
    // an open bracket never closes in a sentence.
    std::size_t mark = at;
    while (mark < line.size() && mark - at < 3 && (line[mark] == '-' || line[mark] == '=')) ++mark;
    if (mark < line.size() && (line[mark] == ')' || line[mark] == ']' || line[mark] == '}') &&
        (mark > at || mark + 1 == line.size() || isBlank(line[mark + 1])))
        return true;
    // Initials before the mark, as some readers quote: "kre> ", "JM>".
    std::size_t letters = at;
    while (letters < line.size() && letters - at < 6 && isAsciiLetter(line[letters])) ++letters;
    return letters > at && letters < line.size() && line[letters] == '>';
}

bool isWordColonLine(std::string_view line, std::string_view& rest) {
    std::size_t at = 0;
    while (at < line.size() && isBlank(line[at])) ++at;
    const std::size_t start = at;
    while (at < line.size() && (isAsciiLetter(line[at]) || (at > start && line[at] == '-'))) ++at;
    if (at - start < 2 || at - start > 24 || at >= line.size() || line[at] != ':') return false;
    if (at + 1 < line.size() && !isBlank(line[at + 1]) && line[at + 1] != '\r') return false;
    rest = line.substr(at + 1);
    return wordCount(rest) > 0;
}

std::vector<lineRole> rolesOfLines(const std::vector<std::string>& lines) {
    std::vector<lineRole> roles(lines.size(), lineRole::text);
    // Below the mark or the header, everything belongs to the signature or
    // the earlier message.
    auto restIs = [&](std::size_t from, lineRole role) {
        for (std::size_t j = from; j < lines.size(); ++j) roles[j] = role;
    };
    bool armourHeader = false;  // the "Hash:" lines below the armour's first line
    bool armourSignature = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::string_view text = trimmed(line);
        if (armourSignature || startsWithNoCase(text, "-----BEGIN PGP")) {
            roles[i] = lineRole::armour;
            armourHeader = startsWithNoCase(text, "-----BEGIN PGP SIGNED");
            armourSignature = !armourHeader && !startsWithNoCase(text, "-----END PGP");
            continue;
        }
        if (armourHeader && !text.empty()) {
            roles[i] = lineRole::armour;
            continue;
        }
        armourHeader = false;
        if (isSignatureMark(line)) {
            restIs(i, lineRole::signature);
            break;
        }
        if (isEarlierMessageMark(line)) {
            restIs(i, lineRole::earlierMessage);
            break;
        }
        if (const std::size_t block = fieldBlockLength(lines, i); block > 0) {
            if (isEarlierHeader(lines, i, block)) {
                restIs(i, lineRole::earlierMessage);
                break;
            }
            for (std::size_t j = i; j < i + block; ++j) roles[j] = lineRole::fields;
            i += block - 1;
            continue;
        }
        if (text.empty()) {
            roles[i] = lineRole::blank;
        } else if (isQuotedLine(line)) {
            roles[i] = lineRole::quoted;
        } else if (isAttribution(line)) {
            roles[i] = lineRole::attribution;
            // A long attribution wrapped by the mail program: "On Monday,
            // 13 January 2003, Zavo Zozu" / "<zavo@example.org> wrote:".
            if (i > 0 && roles[i - 1] == lineRole::text && opensAttribution(lines[i - 1]) && !opensAttribution(line))
                roles[i - 1] = lineRole::attribution;
            // Text below an attribution that is not quoted is the earlier
            // message pasted as it was. Scissors ("8<") and dots between
            // them do not count.
            std::size_t next = i + 1;
            while (next < lines.size() && !isQuotedLine(lines[next]) && wordCount(lines[next]) < 2) {
                if (trimmed(lines[next]).empty()) roles[next] = lineRole::blank;
                ++next;
            }
            if (next < lines.size() && !isQuotedLine(lines[next])) {
                restIs(next, lineRole::earlierMessage);
                break;
            }
        }
    }
    return roles;
}

}  // namespace postsift::host
