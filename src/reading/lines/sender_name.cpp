#include "reading/lines/sender_name.h"

#include <cstring>
#include <utility>

#include "reading/lines/line_text.h"
#include "support/ascii.h"

namespace postsift {

namespace {

const char* const roleNames[] = {
    "info",     "noreply",       "no-reply", "no_reply",   "donotreply", "do-not-reply", "do_not_reply",
    "reply",    "postmaster",    "admin",    "administrator", "webmaster", "hostmaster", "root",
    "abuse",    "mailer-daemon", "support",  "help",       "helpdesk",   "service",      "sales",
    "billing",  "contact",       "office",   "mail",       "news",       "newsletter",   "notification",
    "notifications", "alert",    "alerts",   "bounce",     "bounces",    "list",         "owner",
    "team",     "marketing",     "security", "feedback",   "enquiries",  "inquiries",
};

bool hasLetter(const std::string& text) {
    for (const char c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (isAsciiLetter(b) || b >= 0xc0) return true;
    }
    return false;
}

// Whether the text is tidy already: no blank at either end, and none but
// single spaces between its words (an address, a name written plainly).
bool isTidy(const char* begin, const char* end) {
    if (begin == end) return true;
    if (isBlank(*begin) || isBlank(end[-1])) return false;
    for (const char* p = begin; p < end; ++p)
        if (isBlank(*p) && (*p == '\t' || isBlank(p[1]))) return false;
    return true;
}

// Blanks at either end taken away, runs of blanks made one: the words,
// copied a word at a time, with one blank between them.
std::string tidied(const char* begin, const char* end) {
    if (isTidy(begin, end)) return std::string(begin, end);
    std::string result;
    for (const char* p = begin; p < end;) {
        if (isBlank(*p)) {
            ++p;
            continue;
        }
        const char* word = p;
        while (p < end && !isBlank(*p)) ++p;
        if (!result.empty()) result += ' ';
        result.append(word, p);
    }
    return result;
}

std::string tidied(const std::string& text) { return tidied(text.data(), text.data() + text.size()); }

// Adds a piece of the name, with a blank between pieces.
void addTo(std::string& name, const char* begin, const char* end) {
    if (begin == end) return;
    if (!name.empty()) name += ' ';
    name.append(begin, end);
}

void addTo(std::string& name, const std::string& piece) { addTo(name, piece.data(), piece.data() + piece.size()); }

bool holds(const char* begin, const char* end, char c) {
    return std::memchr(begin, c, static_cast<std::size_t>(end - begin)) != nullptr;
}

// Past the quoted string, comment or bracket that begins at `p`, with what
// it holds in `inside`; null when it is not closed.
// What it holds is copied in runs: an escape ends one, and the byte it
// escapes begins the next.
const char* quotedEnd(const char* p, const char* to, std::string& inside) {
    const char* run = ++p;
    for (; p < to; ++p) {
        if (*p == '\\' && p + 1 < to) {
            inside.append(run, p);
            run = ++p;
        } else if (*p == '"') {
            inside.append(run, p);
            return p + 1;
        }
    }
    return nullptr;
}

const char* commentEnd(const char* p, const char* to, std::string& inside) {
    int depth = 0;
    const char* run = p;
    for (; p < to; ++p) {
        if (*p == '\\' && p + 1 < to) {
            inside.append(run, p);
            run = ++p;
            continue;
        }
        if (*p == '(' && depth++ == 0) {
            inside.append(run, p);
            run = p + 1;
            continue;
        }
        if (*p == ')' && --depth == 0) {
            inside.append(run, p);
            return p + 1;
        }
    }
    return nullptr;
}

bool splitAddress(const std::string& address, std::string& local, std::string& domain) {
    const std::size_t at = address.rfind('@');
    if (at == std::string::npos || at == 0 || at + 1 == address.size()) return false;
    for (const char c : address)
        if (isBlank(c)) return false;
    local.assign(address, 0, at);
    domain.assign(address, at + 1, std::string::npos);
    return true;
}

}  // namespace

bool readMailbox(const char* from, const char* to, mailbox& box) {
    box = mailbox();
    std::string name;       // quoted pieces and words outside, in order
    std::string comment;    // the first comment
    std::string bracketed;  // the address in angle brackets
    std::string bare;       // an address outside them
    bool closed = false;    // an address in brackets was met
    for (const char* p = from; p < to;) {
        if (isBlank(*p)) {
            ++p;
            continue;
        }
        if (*p == '(') {
            std::string inside;
            p = commentEnd(p, to, inside);
            if (p == nullptr) return false;
            if (comment.empty()) comment = tidied(inside);
            continue;
        }
        if (closed) return false;  // words after the address in brackets
        if (*p == '"') {
            std::string inside;
            p = quotedEnd(p, to, inside);
            if (p == nullptr) return false;
            addTo(name, tidied(inside));
        } else if (*p == '<') {
            const char* close = p + 1;
            while (close < to && *close != '>' && *close != '<') ++close;
            if (close == to || *close != '>') return false;
            bracketed = tidied(p + 1, close);
            closed = true;
            p = close + 1;
        } else {
            const char* end = p;
            while (end < to && !isBlank(*end) && *end != '"' && *end != '(' && *end != '<') ++end;
            if (holds(p, end, '@')) {
                if (!bare.empty()) return false;
                bare.assign(p, end);
            } else if (holds(p, end, '>') || holds(p, end, ')')) {
                return false;
            } else {
                addTo(name, p, end);
            }
            p = end;
        }
    }
    if (closed && !bare.empty()) return false;
    box.address = closed ? std::move(bracketed) : std::move(bare);
    if (!box.address.empty() && !splitAddress(box.address, box.local, box.domain)) return false;
    if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'')
        name = tidied(name.data() + 1, name.data() + name.size() - 1);
    if (name.empty()) name = std::move(comment);
    // A name that is an address is the one a mail program shows.
    std::string shownLocal;
    std::string shownDomain;
    if (name.find('@') != std::string::npos) {
        if (splitAddress(name, shownLocal, shownDomain)) {
            box.local = shownLocal;
            box.domain = shownDomain;
        }
        name.clear();
    }
    if (!hasLetter(name)) name.clear();
    box.name = std::move(name);
    return !box.name.empty() || !box.local.empty();
}

std::string nameAsSaid(const std::string& name) {
    const std::size_t comma = name.find(',');
    if (comma == std::string::npos || name.find(',', comma + 1) != std::string::npos) return name;
    const std::string last = tidied(name.substr(0, comma));
    const std::string first = tidied(name.substr(comma + 1));
    if (last.empty() || first.empty() || last.find(' ') != std::string::npos || first.find(' ') != std::string::npos)
        return name;
    return first + " " + last;
}

std::string localPartAsWords(const std::string& local) {
    std::string words;
    for (const char c : local) words += c == '.' || c == '_' ? ' ' : c;
    words = tidied(words);
    return words.empty() ? local : words;
}

bool isRoleName(const std::string& local) {
    for (const char* role : roleNames)
        if (equalsFolded(local.data(), local.data() + local.size(), role)) return true;
    return false;
}

}  // namespace postsift
