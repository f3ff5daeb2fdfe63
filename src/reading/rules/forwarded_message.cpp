#include "reading/rules/forwarded_message.h"

#include <cstring>
#include <string>

#include "reading/lines/display_name.h"
#include "reading/lines/original_headers.h"
#include "reading/lines/original_message_separator.h"
#include "reading/rules/spoken_dates.h"
#include "filter/epost_sift.h"
#include "support/ascii.h"
#include "support/reserved_names.h"

namespace postsift {

namespace {

// A few lines of one's own before a forwarded message, at most: "FYI", a
// greeting and a sentence or two.
const int fewOwnLines = 5;

// The markers that mail programs put before a forwarded subject, in
// English, French and German; lower case.
const char* const forwardMarkers[] = {"fwd:", "fw:", "tr:", "wg:"};

// A line "Name: value" of a header block: a letter, letters, digits, '-'
// and '_', a colon.
bool isFieldLine(const messageLine& line) {
    const char* p = line.begin;
    if (p == line.end || !isAsciiLetter(static_cast<unsigned char>(*p))) return false;
    while (p < line.end && (isAsciiLetter(static_cast<unsigned char>(*p)) ||
                            isAsciiDigit(static_cast<unsigned char>(*p)) || *p == '-' || *p == '_'))
        ++p;
    return p < line.end && *p == ':';
}

// The text between the blanks at either end.
std::string trimmed(const char* from, const char* to) {
    from = skipBlanks(from, to);
    return std::string(from, trimBlanks(from, to));
}

bool isFolded(const messageLine& line) {
    return line.begin < line.end && (*line.begin == ' ' || *line.begin == '\t') && !line.isBlank();
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

forwardedMessages::forwardedMessages(epostSift& filter, const char* phrase)
    : filter_(filter), phrase_(phrase), carriesForwards_(filter.forwardedParts > 0) {}

bool forwardedMessages::isForwardMarker(const char* word, const char* end) {
    if (end == word || end[-1] != ':' || filter_.filterList == nullptr) return false;
    const std::string key(word, end);
    const filterEntry* entry = findException(filter_.filterList, key.c_str());
    if (entry == nullptr || (entry->kind() != PLAIN && entry->kind() != REPLACE_WORD) || entry->value() == nullptr)
        return false;
    // A marker the configuration adds is a forward marker when it is said
    // as one of the known ones ("TR:" said as "FW:" is).
    for (const char* marker : forwardMarkers) {
        if (std::strcmp(entry->key(), marker) == 0) return true;
        const filterEntry* known = findException(filter_.filterList, marker);
        if (known != nullptr && known->value() != nullptr && std::strcmp(known->value(), entry->value()) == 0)
            return true;
    }
    return false;
}

void forwardedMessages::observeHeader(const messageLine& line) {
    const char* keyword = nullptr;
    const char* afterKeyword = headerKeywordEnd(line, keyword);
    if (afterKeyword == nullptr || filter_.symbolTable == nullptr) return;
    const filterEntry* subject = findException(filter_.symbolTable, symbolSubject);
    const std::string name(keyword, afterKeyword);
    if (subject == nullptr || findSymbol(filter_.symbolTable, name.c_str()) != subject) return;
    // The first marker says what the message is: "Fwd: Re:" forwards a
    // reply, "Re: Fwd:" answers a forward.
    const char* word = skipBlanks(afterKeyword, line.end);
    const char* end = word;
    while (end < line.end && *end != ' ' && *end != '\t') ++end;
    subjectSaysForward_ = isForwardMarker(word, end);
}

bool forwardedMessages::begins(const messageLine& line, bool earlierMessage, readingOutput& out) {
    if (line.depth != 0) return false;
    const bool forwardSeparator = isForwardSeparator(line);
    if (!forwardSeparator && !earlierMessage && !isOriginalMessageSeparator(line) && !isOtherSeparator(line))
        return false;
    if (out.inEarlierMessage()) return false;
    const bool first = !startMet_;
    startMet_ = true;
    if (first && (subjectSaysForward_ || (forwardSeparator && ownLines_ <= fewOwnLines))) forward_ = true;
    if (first && subjectSaysForward_) return true;
    return forwardSeparator && (forward_ || carriesForwards_);
}

void forwardedMessages::passOver(const messageLine& line, bool boundaryLine) {
    if (line.depth > 0)
        startMet_ = true;
    else if (!line.isBlank() && !boundaryLine && !isFieldLine(line))
        ++ownLines_;
}

const char* forwardedMessages::write(const messageLine& line, const char* textEnd, const spokenDates* dates,
                                     readingOutput& out) {
    forwardedHeader header;
    originalField field = originalField::other;
    const char* value = nullptr;
    // The header lines begin at the line itself when it is one (a block of
    // original header lines), else after the separator and any blank lines.
    const char* p = readOriginalHeader(line, field, value) ? line.begin : line.next;
    const char* afterSeparator = p;
    while (p < textEnd && lineAt(p, textEnd).isBlank() && lineAt(p, textEnd).depth == 0) p = lineAt(p, textEnd).next;
    std::string* last = nullptr;
    bool any = false;
    while (p < textEnd) {
        const messageLine next = lineAt(p, textEnd);
        if (next.depth != 0) break;
        if (isFolded(next) && any) {
            if (last != nullptr) last->append(" ").append(trimmed(next.begin, next.end));
        } else if (readOriginalHeader(next, field, value)) {
            last = field == originalField::sender ? &header.sender
                   : field == originalField::date ? &header.date
                   : field == originalField::subject ? &header.subject
                                                      : nullptr;
            if (last != nullptr) *last = trimmed(value, next.end);
        } else if (isFieldLine(next)) {
            last = nullptr;
        } else {
            break;
        }
        any = true;
        p = next.next;
    }
    if (!any) p = afterSeparator;

    const std::string sender = senderOf(header.sender);
    if (phrase_ != nullptr && !sender.empty()) {
        out.putPhrase(phrase_, sender.c_str());
        out.put("\n");
    }
    if (!header.date.empty()) {
        std::string said;
        out.put("Date: ");
        out.put(dates != nullptr && dates->say(header.date, said) ? said.c_str() : header.date.c_str());
        out.put("\n");
    }
    if (!header.subject.empty()) {
        out.put("Subject: ");
        out.put(header.subject.c_str());
        out.put("\n");
    }
    return p;
}

}  // namespace postsift
