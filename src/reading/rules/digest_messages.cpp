#include "reading/rules/digest_messages.h"

#include <cstring>

#include "filter/epost_sift.h"
#include "filter/language_phrases.h"
#include "reading/lines/display_name.h"
#include "reading/lines/header_names.h"
#include "reading/lines/original_headers.h"
#include "reading/pass/rule_table.h"
#include "support/ascii.h"
#include "support/reserved_names.h"

namespace postsift {

namespace {

// How far into the body a digest names itself: past a list's preamble
// ("Send Orchid-Growers submissions to ...", how to subscribe, whom to
// write to), which runs to a dozen lines or so.
const int namingLines = 24;

// Between a line of dashes and a message's header lines: a blank line or
// two, a "Message: 2" line and a blank line.
const int leadingLines = 4;

// The headings of a digest's contents, lower case, without their colon;
// \xe8 is e grave, \xe9 e acute.
const char* const contentsHeadings[] = {
    "today's topics", "topics of the day", "in this issue", "in this digest", "contents", "table of contents",
    "th\xe8mes du jour", "sujets du jour", "sommaire", "dans ce num\xe9ro", "themen des tages", "inhalt",
    "inhaltsverzeichnis", "in dieser ausgabe",
};

std::string trimmed(const char* from, const char* to) {
    from = skipBlanks(from, to);
    return std::string(from, trimBlanks(from, to));
}

// "digest", "Digest,", "DIGEST:", but not "digestive".
bool isDigestWord(const textWord& word) {
    if (word.length() < 6 || foldedByte(*word.begin) != 'd' || !startsWithFolded(word.begin, word.end, "digest"))
        return false;
    const char* after = word.begin + 6;
    return after == word.end || !isAsciiLetter(static_cast<unsigned char>(*after));
}

bool startsWithDigit(const textWord& word) {
    return !word.empty() && isAsciiDigit(static_cast<unsigned char>(*word.begin));
}

// Words that name a digest: "Digest", or a volume and its number ("Vol 3
// #42", "Volume 03 : Number 042"). A word with a colon before them ("Re:",
// "Fwd:") makes the text a reply to a digest or a forward of one.
bool namesDigest(const char* from, const char* to) {
    for (textWord w = wordAt(from, to); !w.empty(); w = wordAt(w.end, to)) {
        if (isDigestWord(w)) return true;
        if (equalsFolded(w.begin, w.end, "vol") || equalsFolded(w.begin, w.end, "vol.") ||
            equalsFolded(w.begin, w.end, "volume")) {
            if (startsWithDigit(wordAt(w.end, to))) return true;
        }
        if (w.end[-1] == ':') return false;
    }
    return false;
}

bool isContentsHeading(const messageLine& line) {
    // As long as the headings are: most lines are longer.
    const std::size_t shortest = 6;
    const std::size_t longest = 18;
    // Most lines are let go by their length: too short, or too long with
    // no blank to trim at either end, nor before a last colon.
    const std::size_t raw = static_cast<std::size_t>(line.end - line.content);
    if (raw < shortest) return false;
    if (raw > longest + 1 && !isBlank(line.content[0]) && !isBlank(line.end[-1]) && !isBlank(line.end[-2])) return false;
    const char* begin = skipBlanks(line.content, line.end);
    const char* end = trimBlanks(begin, line.end);
    if (end > begin && end[-1] == ':') end = trimBlanks(begin, end - 1);
    const std::size_t length = static_cast<std::size_t>(end - begin);
    if (length < shortest || length > longest) return false;
    for (const char* heading : contentsHeadings)
        if (heading[0] == foldedByte(*begin) && equalsFolded(begin, end, heading)) return true;
    return false;
}

// A line of dashes between a digest's messages: ten or more, perhaps mixed
// with underscores ("--__--__--"), alone on an unquoted line.
bool isDashLine(const lineFacts& line) {
    if (line.line.depth != 0 || line.hasWord) return false;
    const char* begin = skipBlanks(line.line.begin, line.line.end);
    const char* end = trimBlanks(begin, line.line.end);
    int dashes = 0;
    for (const char* p = begin; p < end; ++p) {
        if (*p == '-')
            ++dashes;
        else if (*p != '_')
            return false;
    }
    return end - begin >= 10 && dashes >= 2;
}

// "Message: 2", "Message 2", "Nachricht: 2": the number a list gives the
// message under its line of dashes.
bool isNumberLine(const messageLine& line) {
    const textWord word = wordAt(line.content, line.end);
    const char* p = word.begin;
    if (startsWithFolded(p, word.end, "message"))
        p += 7;
    else if (startsWithFolded(p, word.end, "nachricht"))
        p += 9;
    else
        return false;
    p = skipBlanks(p, line.end);
    if (p < line.end && *p == ':') p = skipBlanks(p + 1, line.end);
    const char* digits = p;
    while (p < line.end && isAsciiDigit(static_cast<unsigned char>(*p))) ++p;
    return p > digits && skipBlanks(p, line.end) == line.end;
}

// The head of the digest message that begins at a line of dashes: the lines
// before its header lines, then the header lines themselves (with folded
// continuations), up to the first line that is neither.
digestMessages::head readHead(const lineFacts& dashes, lineWindow& lines) {
    digestMessages::head found;
    lineFacts line = dashes;
    int leading = 0;
    bool numbered = false;
    for (;;) {
        if (!lines.next(line, line) || line.line.depth != 0 || ++leading > leadingLines) return found;
        if (line.blank) continue;
        if (numbered || !isNumberLine(line.line)) break;
        numbered = true;
    }
    int fields = 0;
    bool named = false;
    std::string* last = nullptr;
    for (;;) {
        if (line.line.depth != 0) break;
        if (fields > 0 && line.line.isFolded()) {
            if (last != nullptr) last->append(" ").append(trimmed(line.line.begin, line.line.end));
        } else if (!line.blank && !isBlank(*line.line.begin) && isKeyNameLine(line.line)) {
            ++fields;
            last = nullptr;
            if (line.originalHeader && line.field == originalField::sender) last = &found.sender;
            if (line.originalHeader && line.field == originalField::subject) last = &found.subject;
            if (last != nullptr) {
                *last = trimmed(line.value, line.line.end);
                named = true;
            }
        } else {
            break;
        }
        const char* next = line.line.next;
        if (!lines.next(line, line)) {
            found.end = next;  // the text ends with the header lines
            break;
        }
        found.end = line.line.begin;
    }
    if (fields < 2 || !named) found.end = nullptr;
    return found;
}

// "digest" in any case anywhere in [from, to): each case of its 'g', rarer
// in text than its 'd', is searched for at once.
bool holdsDigest(const char* from, const char* to) {
    if (to - from < 6) return false;
    for (const char g : {'g', 'G'}) {
        for (const char* p = from + 2; to - p >= 4; ++p) {
            p = static_cast<const char*>(std::memchr(p, g, static_cast<std::size_t>(to - 3 - p)));
            if (p == nullptr) break;
            if (startsWithFolded(p - 2, to, "digest")) return true;
        }
    }
    return false;
}

// Whether a line among the body's first ones can name the digest: it holds
// "digest", or is a heading of its contents. A look at the bytes, for most
// messages are no digests and need no walk over their lines' facts.
bool mayNameDigest(const messageLine& line) {
    return line.depth == 0 && (isContentsHeading(line) || holdsDigest(line.content, line.end));
}

// Whether one of the body's first lines, from `first` on, can name the
// digest (mayNameDigest). A heading is looked for line by line, "digest" in
// all of those lines at once: most messages' first lines hold neither.
bool firstLinesMayNameDigest(const lineFacts& first) {
    bool heading = first.line.depth == 0 && isContentsHeading(first.line);
    const char* p = first.line.next;
    for (int seen = 1; !heading && seen < namingLines && p < first.textEnd; ++seen) {
        const messageLine line = lineAt(p, first.textEnd);
        heading = line.depth == 0 && isContentsHeading(line);
        p = line.next;
    }
    if (heading) return true;
    if (!holdsDigest(first.line.begin, p)) return false;
    // The word is there: whether it stands in an unquoted line's content.
    bool named = mayNameDigest(first.line);
    p = first.line.next;
    for (int seen = 1; !named && seen < namingLines && p < first.textEnd; ++seen) {
        const messageLine line = lineAt(p, first.textEnd);
        named = mayNameDigest(line);
        p = line.next;
    }
    return named;
}

}  // namespace

readingRule* makeDigestMessages(const ruleSetting& setting, ruleRoom& room) {
    return room.make<digestMessages>(
        phraseOf(setting.filter, symbolDigestMessage, buildLanguagePhrases().digestMessage),
        setting.filter.digestParts > 0);
}

// At the body's first line: whether the message is a digest, and where its
// contents lie, up to its first message. One walk to that message at most,
// once a message.
void digestMessages::findDigest(const lineFacts& first, passState& state) {
    if (!named_) {
        // Unnamed by its subject and by its first lines, it is no digest.
        if (!firstLinesMayNameDigest(first)) return;
    }
    const char* listBegin = first.line.begin;
    bool headed = false;
    lineFacts line = first;
    for (int seen = 0;; ++seen) {
        if (line.line.depth == 0) {
            if (seen < namingLines && !line.blank && isContentsHeading(line.line)) {
                named_ = true;
                if (!headed) listBegin = line.line.next;
                headed = true;
            }
            if (seen < namingLines && !named_ && line.hasWord) {
                for (textWord w = wordAt(line.line.content, line.line.end); !w.empty(); w = wordAt(w.end, line.line.end))
                    named_ = named_ || isDigestWord(w);
            }
            if (isDashLine(line) && readHead(line, state.lines).end != nullptr) {
                digest_ = named_;
                if (digest_) {
                    listBegin_ = listBegin;
                    listEnd_ = line.line.begin;
                }
                return;
            }
        }
        if ((seen >= namingLines && !named_) || !state.lines.next(line, line)) return;
    }
}

void digestMessages::observe(lineFacts& line, passState& state, readingOutput& out) {
    if (line.header) {
        if (!line.folded && line.originalHeader && line.field == originalField::subject)
            named_ = named_ || namesDigest(line.value, line.line.end);
        // Nothing is taken of the header at the top.
        showOnlyLinesHolding(taking, heldByNoLine);
        return;
    }
    if (!looked_) {
        looked_ = true;
        findDigest(line, state);
        if (!digest_) {
            // No message of a digest begins in this text, and none of its
            // lines is an item of its contents: what the rule does at these
            // stages is left to the base, which the pass then calls no more.
            readingRule::observe(line, state, out);
            readingRule::take(line, state, out);
            return;
        }
        showOnlyLinesHolding(taking, 0);
    }
    // The contents are items of a list, each said alone.
    if (line.line.begin >= listBegin_ && line.line.begin < listEnd_) state.news.listItem = true;
    if (!digest_ || state.news.armour || !isDashLine(line)) return;
    head_ = readHead(line, state.lines);
    state.news.digestMessageBegins = head_.end != nullptr;
}

bool digestMessages::inHistory(const lineFacts& line, const passState& state) {
    if (history_) {
        history_ = !historyEnd_.endsBefore(line.line);
        return history_;
    }
    // A forwarded message that is read is the forwards' to write.
    const bool begins = line.line.depth == 0 && !state.news.forwardBegins &&
                        (line.separator == separatorKind::original || state.news.earlierMessageBegins);
    if (!inMessage_ || !begins) return false;
    history_ = true;
    historyEnd_.begin();
    // A block of header lines with no separator above it begins at its first.
    if (line.originalHeader) historyEnd_.endsBefore(line.line);
    return true;
}

bool digestMessages::readsDroppedField(const messageLine& line, const char*, const char*) const {
    // Most fields the scanner drops ("Received:", "X-Mailer:") begin as no
    // subject's name does ("*Subject:*" after its star).
    const char* name = line.begin < line.end && *line.begin == '*' ? line.begin + 1 : line.begin;
    if (name == line.end || !subjectFirstBytes_.at[foldedByte(*name)]) return false;
    originalField field = originalField::other;
    const char* value = nullptr;
    return readOriginalHeader(line, field, value) && field == originalField::subject;
}

lineTaken digestMessages::take(const lineFacts& line, passState& state, readingOutput& out) {
    if (line.header) return lineTaken::passed();
    if (!state.news.digestMessageBegins) {
        if (!inHistory(line, state)) return lineTaken::passed();
        out.put("> ");
        out.put(line.line.begin, line.line.next);
        return lineTaken::upTo(line.line.next);
    }
    inMessage_ = true;
    history_ = false;
    const std::string number = std::to_string(++number_);
    const std::string sender = senderName(head_.sender);
    const char* const fillings[] = {number.c_str(), sender.c_str(), head_.subject.c_str()};
    if (phrase_ != nullptr) {
        out.putPhrase(phrase_, fillings, 3);
        out.put("\n");
    }
    return lineTaken::upTo(head_.end);
}

}  // namespace postsift
