#include "reading/rules/forwarded_message.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "filter/epost_sift.h"
#include "filter/language_phrases.h"
#include "reading/dates/date_speaking.h"
#include "reading/dates/date_words.h"
#include "reading/lines/display_name.h"
#include "reading/lines/quote_marks.h"
#include "reading/pass/block_facts.h"
#include "reading/lines/keyword_format.h"
#include "reading/pass/rule_table.h"
#include "reading/rules/subject_words.h"
#include "support/reserved_names.h"

namespace postsift {

namespace {

// A few lines of one's own before a forwarded message, at most: "FYI", a
// greeting and a sentence or two.
const int fewOwnLines = 5;

// The markers that mail programs put before a forwarded subject, in
// English, French and German; lower case.
const char* const forwardMarkers[] = {"fwd:", "fw:", "tr:", "wg:"};

// At most this many list tags before a subject's marker.
const int listTagsBeforeMarker = 2;

// A list's tag in a subject: "[Orchids]", "[Choir news]"; not "[Fwd:".
bool isListTag(const char* p, const char* end) {
    if (p == end || *p != '[') return false;
    const char* close = std::find(p, end, ']');
    return close != end && std::find(p, close, ':') == close;
}

// A line "Name: value" of a header block: a key name at the very start of
// the line, and a colon.
bool isFieldLine(const messageLine& line) {
    return line.begin < line.end && !isBlank(*line.begin) && isKeyNameLine(line);
}

// The text between the blanks at either end.
std::string trimmed(const char* from, const char* to) {
    from = skipBlanks(from, to);
    return std::string(from, trimBlanks(from, to));
}

// The address in a sender's text ("<b@x.com>", "[mailto:b@x.com]"), for a
// sender who gives no name.
std::string addressIn(const std::string& text) {
    const std::size_t at = text.find('@');
    if (at == std::string::npos) return std::string();
    std::size_t begin = at;
    while (begin > 0 && std::strchr(" \t<[:\"", text[begin - 1]) == nullptr) --begin;
    std::size_t end = at;
    while (end < text.size() && std::strchr(" \t>]\"", text[end]) == nullptr) ++end;
    return text.substr(begin, end - begin);
}

// The phrase of a keyword of the filter's ("The subject of this message
// is: %s"), or null.
const char* keywordPhrase(const epostSift& filter, const char* keyword) {
    const filterEntry* entry = filter.filterList != nullptr ? findException(filter.filterList, keyword) : nullptr;
    return entry != nullptr && entry->kind() == PLAIN && holdsFilling(entry->value()) ? entry->value() : nullptr;
}

std::string senderOf(const std::string& value) {
    std::size_t words = 0;
    const std::string name = displayName(value, words);
    return name.empty() ? addressIn(value) : name;
}

// The forwarded message's header lines, read: what it names.
struct forwardedHeader {
    std::string sender;
    std::string date;
    std::string subject;
};

}  // namespace

readingRule* makeForwardedMessages(const ruleSetting& setting, ruleRoom& room) {
    return room.make<forwardedMessages>(
        setting.filter, phraseOf(setting.filter, symbolForwardedMessage, buildLanguagePhrases().forwardedMessage),
        setting.isOn(optionSpeakDates) ? &buildDateWords() : nullptr);
}

forwardedMessages::forwardedMessages(epostSift& filter, const char* phrase, const dateWords* dates)
    : filter_(filter),
      phrase_(phrase),
      datePhrase_(phraseOf(filter, symbolForwardedDate, buildLanguagePhrases().forwardedDate)),
      dates_(dates),
      carriesForwards_(filter.forwardedParts > 0) {}

bool forwardedMessages::isForwardMarker(const char* word, const char* end) {
    if (end == word || end[-1] != ':' || filter_.filterList == nullptr) return false;
    const std::string key = markerKey(word, end);
    const filterEntry* entry = findException(filter_.filterList, makeSearchWord(key.c_str()), filter_.filterListIndex);
    if (entry == nullptr || (entry->kind() != PLAIN && entry->kind() != REPLACE_WORD) || entry->value() == nullptr)
        return false;
    // A marker the configuration adds is a forward marker when it is said
    // as one of the known ones ("TR:" said as "FW:" is).
    for (const char* marker : forwardMarkers) {
        if (std::strcmp(entry->key(), marker) == 0) return true;
        const filterEntry* known = findException(filter_.filterList, makeSearchWord(marker), filter_.filterListIndex);
        if (known != nullptr && known->value() != nullptr && std::strcmp(known->value(), entry->value()) == 0)
            return true;
    }
    return false;
}

void forwardedMessages::observeHeader(const lineFacts& line, passState& state) {
    if (line.keywordEnd == nullptr) return;
    const filterEntry* subject = state.subjectSymbol();
    if (subject == nullptr || state.keywordSymbol(line) != subject) return;
    // The first marker says what the message is: "Fwd: Re:" forwards a
    // reply, "Re: Fwd:" answers a forward. A list's tag may stand before it
    // ("[Orchids] FW: greenhouse closed"), and a marker may open a bracket
    // ("[Fwd: printer jam]"); "(fwd)" after the subject says it too, when
    // no marker begins it.
    const char* end = line.line.end;
    textWord marker = wordAt(line.keywordEnd, end);
    for (int tags = 0; tags < listTagsBeforeMarker && isListTag(marker.begin, end); ++tags)
        marker = wordAt(std::find(marker.begin, end, ']') + 1, end);
    const char* word = marker.begin;
    if (word < marker.end && *word == '[') ++word;
    subjectSaysForward_ = isForwardMarker(word, marker.end);
    if (subjectSaysForward_ || (word < marker.end && marker.end[-1] == ':')) return;
    for (textWord w = marker; !w.empty(); w = wordAt(w.end, end)) {
        if (equalsFolded(w.begin, w.end, "(fwd)")) {
            static const char fwd[] = "fwd:";
            subjectSaysForward_ = isForwardMarker(fwd, fwd + sizeof fwd - 1);
            return;
        }
    }
}

bool forwardedMessages::begins(const lineFacts& line, passState& state, readingOutput& out) {
    if (line.line.depth != 0 || line.separator == separatorKind::forwardEnd) return false;
    const bool forwardSeparator = line.separator == separatorKind::forward;
    if (line.separator == separatorKind::none && !state.news.earlierMessageBegins) return false;
    if (out.inEarlierMessage()) return false;
    const bool first = !startMet_;
    startMet_ = true;
    if (first && (subjectSaysForward_ || (forwardSeparator && ownLines_ <= fewOwnLines))) forward_ = true;
    if (first && subjectSaysForward_) return true;
    if (forwardSeparator && (forward_ || carriesForwards_ || beginsForwardedText(line.line))) return true;
    // Nothing of the sender's own so far, and the earlier message would
    // take every line left: the listener would hear the summary alone.
    return ownLines_ == 0 && takesTheRest(line, state.lines);
}

// Whether the scanner would read the rest of the text as the earlier
// message that begins at this line: its text, after the separator, its
// header lines and blank lines, does not begin with a quote.
bool forwardedMessages::takesTheRest(const lineFacts& line, lineWindow& lines) {
    lineFacts next = line;
    bool more = true;
    if (line.separator != separatorKind::none) more = lines.next(next, next);
    while (more && next.line.depth == 0 && (next.blank || next.originalHeader || isFieldLine(next.line) ||
                                            (next.line.isFolded() && !next.blank)))
        more = lines.next(next, next);
    return !more || (next.line.depth == 0 && !beginsAnyQuote(next.line, next.textEnd));
}

void forwardedMessages::observe(lineFacts& line, passState& state, readingOutput& out) {
    if (line.header) {
        if (!line.folded) observeHeader(line, state);
        // Nothing is taken of the header at the top, and its lines' fate
        // counts nothing.
        showOnlyLinesHolding(taking, heldByNoLine);
        showOnlyLinesHolding(following, heldByNoLine);
        return;
    }
    showOnlyLinesHolding(following, 0);
    // Only an unquoted line where an earlier message may begin can begin a
    // forwarded one: most lines are let go here.
    const bool mayBegin =
        line.line.depth == 0 && (line.separator != separatorKind::none || state.news.earlierMessageBegins);
    if (mayBegin && !state.news.armour) state.news.forwardBegins = begins(line, state, out);
    // Taking writes a forwarded message's head, and leaves out the end of a
    // forwarded text read; it passes on every other line.
    const bool ends = read_ && line.separator == separatorKind::forwardEnd && line.line.depth == 0;
    showOnlyLinesHolding(taking, state.news.forwardBegins || ends ? 0u : heldByNoLine);
}

lineTaken forwardedMessages::take(const lineFacts& line, passState& state, readingOutput& out) {
    // What follows the end of a forwarded text that is read is the
    // sender's own again.
    if (read_ && line.separator == separatorKind::forwardEnd && line.line.depth == 0)
        return lineTaken::upTo(line.line.next);
    if (line.header || !state.news.forwardBegins) return lineTaken::passed();
    read_ = true;
    return lineTaken::upTo(write(line, state, out));
}

void forwardedMessages::after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
                              readingOutput& out) {
    // A reply's history (an attribution, a quote) comes first; a MIME
    // boundary line or a part's header line is not the sender's own.
    if (fate == lineFate::attribution) {
        startMet_ = true;
    } else if (fate == lineFate::keywordLine || fate == lineFate::text || fate == lineFate::announced) {
        if (line.line.depth > 0)
            startMet_ = true;
        else if (holdsOwnWords(line))
            ++ownLines_;
    }
    // Once the sender has a line of his own, and the start is met or no
    // longer matters (the subject says no forward, and more than a few lines
    // are his), no later line changes what the counts decide: hearing the
    // lines' fate is left to the base, which the pass then calls no more.
    const bool settled = startMet_ || (!subjectSaysForward_ && ownLines_ > fewOwnLines);
    if (ownLines_ > 0 && settled) readingRule::after(line, fate, written, state, out);
}

const char* forwardedMessages::write(const lineFacts& line, passState& state, readingOutput& out) {
    forwardedHeader header;
    // The header lines begin at the line itself when it is one (a block of
    // original header lines), else after the separator and any blank lines.
    const char* textEnd = state.textEnd;
    const char* p = line.originalHeader ? line.line.begin : line.line.next;
    const char* afterSeparator = p;
    lineFacts next;
    while (p < textEnd && (next = state.lines.at(p)).blank && next.line.depth == 0) p = next.line.next;
    std::string* last = nullptr;
    bool any = false;
    while (p < textEnd) {
        next = state.lines.at(p);
        if (next.line.depth != 0) break;
        if (next.line.isFolded() && any) {
            if (last != nullptr) last->append(" ").append(trimmed(next.line.begin, next.line.end));
        } else if (next.originalHeader) {
            last = next.field == originalField::sender   ? &header.sender
                   : next.field == originalField::date    ? &header.date
                   : next.field == originalField::subject ? &header.subject
                                                          : nullptr;
            if (last != nullptr) *last = trimmed(next.value, next.line.end);
        } else if (isFieldLine(next.line)) {
            last = nullptr;
        } else {
            break;
        }
        any = true;
        p = next.line.next;
    }
    if (!any) p = afterSeparator;

    const std::string sender = senderOf(header.sender);
    if (phrase_ != nullptr && !sender.empty()) {
        out.putPhrase(phrase_, sender.c_str());
        out.put("\n");
    }
    if (!header.date.empty()) {
        std::string said;
        const char* date = dates_ != nullptr && speakDateText(header.date.data(), header.date.size(), *dates_, said)
                               ? said.c_str()
                               : header.date.c_str();
        // It was sent then, not received: said by a phrase of its own, not
        // by the "Date:" keyword's.
        if (datePhrase_ != nullptr) {
            out.putPhrase(datePhrase_, date);
        } else {
            out.put("Date: ");
            out.put(date);
        }
        out.put("\n");
    }
    if (!header.subject.empty()) {
        // Without the "Date:" line above it, a "Subject:" line is no block
        // of header lines, which the scanner reads as text: it is said by
        // its keyword's phrase, as a sentence.
        const bool dateLine = !header.date.empty() && datePhrase_ == nullptr;
        const char* subjectPhrase = dateLine ? nullptr : keywordPhrase(filter_, "Subject:");
        if (subjectPhrase != nullptr) {
            out.putPhrase(subjectPhrase, header.subject.c_str());
            const char last = header.subject.back();
            if (last != '.' && last != '!' && last != '?') out.put(".");
        } else {
            out.put("Subject: ");
            out.put(header.subject.c_str());
        }
        out.put("\n");
    }
    return p;
}

}  // namespace postsift
