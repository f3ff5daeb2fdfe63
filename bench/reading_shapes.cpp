#include "reading_shapes.h"

#include "ascii_text.h"
#include "heard_words.h"
#include "message_text.h"

namespace postsift::bench {

using host::asciiLower;
using host::containsNoCase;
using host::isAsciiAlnum;
using host::isAsciiDigit;
using host::isAsciiLetter;
using host::isAsciiLower;
using host::isBlank;
using host::startsWithNoCase;
using host::trimmed;

namespace {

constexpr std::size_t longestBlock = 15;      // lines of one trailer block
constexpr std::size_t longestParagraph = 6;   // lines of a trailer without rule
constexpr std::size_t chainedBlocks = 3;      // blocks of boilerplate one above the other

bool isRuleCharacter(char c) { return c == '-' || c == '_' || c == '=' || c == '*' || c == '~'; }

// A rule line opens with four rule characters; it may hold a title
// ("---- Yahoo! Groups Sponsor ----~-->").
bool isRuleLine(std::string_view line) {
    const std::string_view text = trimmed(line);
    std::size_t rule = 0;
    while (rule < text.size() && isRuleCharacter(text[rule])) ++rule;
    return rule >= 4;
}

struct keyword {
    const char* words;
    unsigned kind;
};

// What names each kind of boilerplate; the strong ones name it even without
// a rule line above.
const keyword keywords[] = {
    {"mailing list", listTrailer},        {"listinfo", listTrailer},        {"mailman", listTrailer},
    {"majordomo", listTrailer},           {"listserv", listTrailer},        {"yahoo! groups", listTrailer},
    {"list archive", listTrailer},        {"sponsor", sponsorBlock},        {"advertis", sponsorBlock},
    {"unsubscribe", subscription},        {"to be removed", subscription}, {"be removed from", subscription},
    {"remove me", subscription},          {"opt-out", subscription},        {"opt out", subscription},
    {"subscription", subscription},       {"confidential", disclaimer},     {"privileged", disclaimer},
    {"intended recipient", disclaimer},   {"disclaimer", disclaimer},       {"intended solely", disclaimer},
};

bool isStrong(const char* words) {
    const std::string_view w = words;
    return w == "mailing list" || w == "listinfo" || w == "unsubscribe" || w == "to be removed" ||
           w == "intended recipient";
}

unsigned kindsOf(const std::vector<std::string>& lines, std::size_t from, std::size_t to, bool strongOnly) {
    unsigned kinds = 0;
    for (std::size_t i = from; i < to; ++i)
        for (const keyword& k : keywords)
            if ((!strongOnly || isStrong(k.words)) && containsNoCase(lines[i], k.words)) kinds |= k.kind;
    return kinds;
}

std::size_t nonBlankLines(const std::vector<std::string>& lines, std::size_t from, std::size_t to) {
    std::size_t count = 0;
    for (std::size_t i = from; i < to; ++i) count += trimmed(lines[i]).empty() ? 0 : 1;
    return count;
}


bool isHex(char c) { return isAsciiDigit(c) || (asciiLower(c) >= 'a' && asciiLower(c) <= 'f'); }

bool hasHexRun(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (!isAsciiAlnum(line[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && isAsciiAlnum(line[end])) ++end;
        const std::string_view token = line.substr(i, end - i);
        bool hex = true;
        bool digit = false;
        bool letter = false;
        for (const char c : token) {
            hex = hex && isHex(c);
            digit = digit || isAsciiDigit(c);
            letter = letter || isAsciiLetter(c);
        }
        if (hex && digit && letter && token.size() >= 8) return true;
        if (token.size() >= 6 && (token[0] == '0') && (token[1] == 'x' || token[1] == 'X')) return true;
        i = end;
    }
    return false;
}

bool isMonth(std::string_view word) {
    for (const char* month : {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"})
        if (word.size() >= 3 && startsWithNoCase(word, month)) return true;
    return false;
}

// "10:59:39", "2002-08-20", "Jul 22 10:59:39", after an optional "[".
bool startsWithTimestamp(std::string_view line) {
    std::string_view text = trimmed(line);
    if (!text.empty() && text.front() == '[') text.remove_prefix(1);
    auto digitsAt = [&](std::size_t at, std::size_t count) {
        if (at + count > text.size()) return false;
        for (std::size_t i = at; i < at + count; ++i)
            if (!isAsciiDigit(text[i])) return false;
        return true;
    };
    const std::size_t hourDigits = digitsAt(0, 2) ? 2 : digitsAt(0, 1) ? 1 : 0;
    if (hourDigits > 0 && text.size() > hourDigits + 2 && text[hourDigits] == ':' && digitsAt(hourDigits + 1, 2))
        return true;
    if (digitsAt(0, 4) && text.size() > 9 && text[4] == '-' && digitsAt(5, 2) && text[7] == '-' && digitsAt(8, 2))
        return true;
    if (text.size() > 12 && isMonth(text.substr(0, 3)) && text[3] == ' ') {
        std::size_t at = 4;
        while (at < text.size() && text[at] == ' ') ++at;
        while (at < text.size() && isAsciiDigit(text[at])) ++at;
        while (at < text.size() && text[at] == ' ') ++at;
        return digitsAt(at, 2) && at + 2 < text.size() && text[at + 2] == ':';
    }
    return false;
}

bool isSymbol(char c) {
    for (const char s : std::string_view("{}[]()<>;=$#\\|&*/@%^~`_"))
        if (c == s) return true;
    return false;
}

bool symbolHeavy(std::string_view line) {
    const std::string_view text = trimmed(line);
    std::size_t symbols = 0;
    for (const char c : text) symbols += isSymbol(c) ? 1 : 0;
    const std::size_t words = host::wordCount(text);
    if (symbols >= 4 && symbols >= words) return true;
    if (text.empty()) return false;
    const char last = text.back();
    return (last == ';' || last == '{' || last == '}') && symbols >= 3 && 2 * symbols >= words;
}

// "name = value", "name=value": a configuration line.
bool isAssignment(std::string_view line) {
    const std::string_view text = trimmed(line);
    std::size_t i = 0;
    if (i >= text.size() || !(isAsciiLetter(text[i]) || text[i] == '_')) return false;
    while (i < text.size() && (isAsciiAlnum(text[i]) || text[i] == '_' || text[i] == '.' || text[i] == '-')) ++i;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i >= text.size() || text[i] != '=') return false;
    ++i;
    while (i < text.size() && isBlank(text[i])) ++i;
    return i < text.size();
}

bool opensDiff(std::string_view line) {
    return line.compare(0, 3, "@@ ") == 0 || line.compare(0, 5, "diff ") == 0 || line.compare(0, 4, "+++ ") == 0 ||
           line.compare(0, 4, "--- ") == 0 || line.compare(0, 6, "Index:") == 0;
}

std::string lastWord(std::string_view line) {
    std::size_t end = line.size();
    while (end > 0 && !isAsciiAlnum(line[end - 1])) --end;
    std::size_t start = end;
    while (start > 0 && isAsciiAlnum(line[start - 1])) --start;
    return host::asciiLowered(line.substr(start, end - start));
}

std::string firstWord(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && isBlank(line[start])) ++start;
    std::size_t end = start;
    while (end < line.size() && isAsciiAlnum(line[end])) ++end;
    return std::string(line.substr(start, end - start));
}

}  // namespace

trailer finalTrailer(const std::vector<std::string>& lines) {
    trailer found;
    std::size_t end = lines.size();
    while (end > 0 && trimmed(lines[end - 1]).empty()) --end;
    const std::size_t textEnd = end;
    for (std::size_t block = 0; block < chainedBlocks && end > 0; ++block) {
        // The last rule line above `end`, close enough.
        std::size_t rule = end;
        while (rule > 0 && end - rule < longestBlock + 2 && !isRuleLine(lines[rule - 1])) --rule;
        if (rule == 0 || !isRuleLine(lines[rule - 1])) break;
        --rule;
        const std::size_t body = nonBlankLines(lines, rule + 1, end);
        // The rule line's own title counts, not its rule characters.
        const unsigned kinds = kindsOf(lines, rule, end, false);
        if (body > longestBlock || kinds == 0) break;
        found.kinds |= kinds;
        for (std::size_t i = end; i > rule + 1; --i)
            if (!trimmed(lines[i - 1]).empty()) found.lines.insert(found.lines.begin(), lines[i - 1]);
        if (host::wordCount(lines[rule]) > 0) found.lines.insert(found.lines.begin(), lines[rule]);
        end = rule;
        while (end > 0 && trimmed(lines[end - 1]).empty()) --end;
    }
    if (found.kinds != 0) return found;
    // No rule line: the last paragraph, when it names boilerplate outright.
    std::size_t start = textEnd;
    while (start > 0 && !trimmed(lines[start - 1]).empty()) --start;
    if (textEnd == start || textEnd - start > longestParagraph) return found;
    found.kinds = kindsOf(lines, start, textEnd, true);
    if (found.kinds != 0) found.lines.assign(lines.begin() + static_cast<std::ptrdiff_t>(start),
                                             lines.begin() + static_cast<std::ptrdiff_t>(textEnd));
    return found;
}

std::string kindNames(unsigned kinds) {
    std::string names;
    const std::pair<unsigned, const char*> all[] = {{listTrailer, "list trailer"},
                                                    {sponsorBlock, "sponsor"},
                                                    {subscription, "subscription notice"},
                                                    {disclaimer, "disclaimer"}};
    for (const auto& [kind, name] : all) {
        if ((kinds & kind) == 0) continue;
        if (!names.empty()) names += ", ";
        names += name;
    }
    return names;
}

std::vector<bool> codeLines(const std::vector<std::string>& lines) {
    std::vector<bool> code(lines.size(), false);
    bool inDiff = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (opensDiff(line)) inDiff = true;
        if (inDiff && !line.empty() && (line[0] == '+' || line[0] == '-' || line[0] == ' ' || line[0] == '@' ||
                                        line[0] == '\\' || opensDiff(line))) {
            code[i] = true;
            continue;
        }
        inDiff = false;
        const bool assignmentRun = isAssignment(line) && ((i > 0 && isAssignment(lines[i - 1])) ||
                                                          (i + 1 < lines.size() && isAssignment(lines[i + 1])));
        code[i] = assignmentRun || startsWithTimestamp(line) || symbolHeavy(line) || hasHexRun(line);
    }
    return code;
}

std::set<std::pair<std::string, std::string>> continuedLines(const std::vector<std::string>& lines) {
    std::set<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::string_view line = trimmed(lines[i]);
        if (line.empty()) continue;
        const char last = line.back();
        if (last == '.' || last == '!' || last == '?') continue;
        const std::string next = firstWord(lines[i + 1]);
        const std::string word = lastWord(line);
        if (next.empty() || word.empty() || !isAsciiLower(next[0])) continue;
        // The word must end the line: "was" of "it was", not of "it was (x)".
        if (!isAsciiAlnum(last)) continue;
        pairs.emplace(word, next);
    }
    return pairs;
}

std::vector<std::string> fullStopsBefore(std::string_view spoken,
                                         const std::set<std::pair<std::string, std::string>>& continued) {
    std::vector<std::string> found;
    for (std::size_t dot = spoken.find('.'); dot != std::string_view::npos; dot = spoken.find('.', dot + 1)) {
        if (dot == 0 || !isAsciiAlnum(spoken[dot - 1])) continue;
        std::size_t next = dot + 1;
        while (next < spoken.size() && (isBlank(spoken[next]) || spoken[next] == '\n' || spoken[next] == '\r')) ++next;
        if (next == dot + 1 || next >= spoken.size() || !isAsciiLower(spoken[next])) continue;
        std::size_t start = dot;
        while (start > 0 && isAsciiAlnum(spoken[start - 1])) --start;
        std::size_t end = next;
        while (end < spoken.size() && isAsciiAlnum(spoken[end])) ++end;
        const std::string word = host::asciiLowered(spoken.substr(start, dot - start));
        const std::string after(spoken.substr(next, end - next));
        if (continued.count({word, after}) > 0) found.push_back(std::string(spoken.substr(start, dot - start)) + ". " + after);
    }
    return found;
}

bool isUsableDate(std::string_view date) {
    bool month = false;
    bool day = false;
    bool year = false;
    bool time = false;
    std::size_t i = 0;
    while (i < date.size()) {
        if (!isAsciiAlnum(date[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < date.size() && isAsciiAlnum(date[end])) ++end;
        const std::string_view token = date.substr(i, end - i);
        const bool digits = isAsciiDigit(token[0]);
        if (!digits && isMonth(token)) month = true;
        if (digits && end < date.size() && date[end] == ':') time = true;
        if (digits && !(end < date.size() && date[end] == ':') && !(i > 0 && date[i - 1] == ':')) {
            if (token.size() == 4 || (token.size() == 2 && day)) {
                year = true;
            } else if (token.size() <= 2) {
                day = true;
            }
        }
        i = end;
    }
    return month && day && year && time;
}

std::string dateLeftOver(std::string_view summary, std::string_view date, std::string_view elsewhere) {
    const std::string_view raw = trimmed(date);
    if (!raw.empty() && summary.find(raw) != std::string_view::npos) return std::string(raw);
    const auto digits = [&](std::size_t at, std::size_t count) {
        if (at + count > summary.size()) return false;
        for (std::size_t j = at; j < at + count; ++j)
            if (!isAsciiDigit(summary[j])) return false;
        return true;
    };
    for (std::size_t i = 0; i < summary.size(); ++i) {
        std::string piece;
        // "10:00:00" (or "9:00:00")
        if (isAsciiDigit(summary[i]) && (i == 0 || !isAsciiDigit(summary[i - 1]))) {
            const std::size_t hour = digits(i, 2) ? 2 : 1;
            if (summary.size() > i + hour + 5 && summary[i + hour] == ':' && digits(i + hour + 1, 2) &&
                summary[i + hour + 3] == ':' && digits(i + hour + 4, 2))
                piece = std::string(summary.substr(i, hour + 6));
        }
        // "+0100", "-0500"
        if ((summary[i] == '+' || summary[i] == '-') && (i == 0 || isBlank(summary[i - 1])) && digits(i + 1, 4) &&
            (i + 5 == summary.size() || !isAsciiDigit(summary[i + 5])))
            piece = std::string(summary.substr(i, 5));
        if (!piece.empty() && elsewhere.find(piece) == std::string_view::npos) return piece;
    }
    return std::string();
}

std::string yearOf(std::string_view date) {
    bool day = false;
    std::size_t i = 0;
    while (i < date.size()) {
        if (!isAsciiDigit(date[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < date.size() && isAsciiDigit(date[end])) ++end;
        const std::string_view number = date.substr(i, end - i);
        const bool time = (end < date.size() && date[end] == ':') || (i > 0 && date[i - 1] == ':');
        const bool zone = i > 0 && (date[i - 1] == '+' || date[i - 1] == '-');
        i = end;
        if (time || zone) continue;
        if (number.size() == 4 && (number[0] == '1' || number[0] == '2')) return std::string(number);
        // "27 Jun 01": the number of two digits after the day.
        if (number.size() == 2 && day) return (number < "70" ? "20" : "19") + std::string(number);
        if (number.size() <= 2) day = true;
    }
    return std::string();
}

bool isEastAsian(std::string_view charset) {
    for (const char* family : {"big5", "gb", "euc", "iso-2022", "shift", "ks_c", "hz", "cp9", "windows-9"})
        if (startsWithNoCase(charset, family)) return true;
    return false;
}

std::string decodedHeader(std::string_view value) {
    std::string out;
    std::size_t i = 0;
    while (i < value.size()) {
        const std::size_t open = value.find("=?", i);
        if (open == std::string_view::npos) break;
        const std::size_t charsetEnd = value.find('?', open + 2);
        if (charsetEnd == std::string_view::npos || charsetEnd + 2 >= value.size() || value[charsetEnd + 2] != '?') break;
        const char encoding = asciiLower(value[charsetEnd + 1]);
        const std::size_t close = value.find("?=", charsetEnd + 3);
        if (close == std::string_view::npos || (encoding != 'q' && encoding != 'b')) break;
        // Blanks between two encoded words are no text.
        const std::string_view between = value.substr(i, open - i);
        if (!(i > 0 && trimmed(between).empty())) out.append(between);
        const std::string_view text = value.substr(charsetEnd + 3, close - charsetEnd - 3);
        if (isEastAsian(value.substr(open + 2, charsetEnd - open - 2))) {
            out += ' ';
        } else if (encoding == 'b') {
            out += host::decodeBase64(text);
        } else {
            std::string q(text);
            for (char& c : q)
                if (c == '_') c = ' ';
            out += host::decodeQuotedPrintable(q);
        }
        i = close + 2;
    }
    out.append(value.substr(i));
    return out;
}

std::string senderName(std::string_view from) {
    const std::string decoded = decodedHeader(from);
    const std::string_view text = decoded;
    // A name of letters outside ASCII has no words to look for: it is given
    // back all the same, so that the address does not stand in for it.
    const std::size_t angle = text.find('<');
    if (angle != std::string_view::npos) {
        const std::string_view name = text.substr(0, angle);
        const bool isAddress = name.find('@') != std::string_view::npos;
        for (const char c : name)
            if (!isBlank(c) && c != '"' && c != '\'' && !isAddress) return std::string(name);
    }
    const std::size_t paren = text.find('(');
    if (paren != std::string_view::npos) {
        const std::size_t close = text.find(')', paren);
        const std::string_view comment = text.substr(paren + 1, (close == std::string_view::npos ? text.size() : close) - paren - 1);
        if (!host::wordsOf(comment).empty()) return std::string(comment);
    }
    // A sender who gives no name, or an address for one, is known by the
    // address's local part (the first one written), which is what a
    // summary says for one, not the domain.
    const std::size_t at = text.find('@');
    if (at != std::string_view::npos) {
        std::size_t begin = at;
        while (begin > 0 && !isBlank(text[begin - 1]) && text[begin - 1] != '<' && text[begin - 1] != '"') --begin;
        if (begin < at) return std::string(text.substr(begin, at - begin));
    }
    return decoded;
}

}  // namespace postsift::bench
