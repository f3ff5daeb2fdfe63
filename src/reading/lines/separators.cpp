#include "reading/lines/separators.h"

#include <cstring>

namespace postsift {

namespace {

// Lower case; \xe9 is e acute, \xfc u umlaut. Each says whether it announces
// a forwarded message rather than the history of a reply.
struct separatorPhrase {
    const char* text;
    bool forward;
};
const separatorPhrase dashedPhrases[] = {
    {"original message", false},           {"forwarded message", true},
    {"message d'origine", false},          {"message original", false},
    {"message transf\xe9r\xe9", true},      {"message transfere", true},
    {"urspr\xfcngliche nachricht", false}, {"urspruengliche nachricht", false},
    {"weitergeleitete nachricht", true},   {"original-nachricht", false},
};
const char* const lonePhrases[] = {
    "begin forwarded message:",
    "d\xe9" "but du message r\xe9" "exp\xe9" "di\xe9 :",
    "d\xe9" "but du message r\xe9" "exp\xe9" "di\xe9:",
    "anfang der weitergeleiteten nachricht:",
};

// After dashes alone: "--- begin forwarded text" ... "--- end forwarded
// text", which some programs write around a forwarded message.
const char* const forwardedTextBegin = "begin forwarded text";
const char* const forwardedTextEnd = "end forwarded text";

const char* skipDashes(const char* p, const char* end) {
    while (p < end && *p == '-') ++p;
    return p;
}

// The kind of another program's separator on this line.
separatorKind otherSeparatorOf(const messageLine& line) {
    if (line.depth != 0) return separatorKind::none;
    const char* begin = skipBlanks(line.begin, line.end);
    // Asked of every line: most begin with none of the phrases' first bytes.
    if (begin == line.end || std::strchr("-bBdDaA", *begin) == nullptr) return separatorKind::none;
    const char* end = trimBlanks(begin, line.end);
    // A phrase alone ends with a colon; the others come after dashes.
    if (*begin != '-' && end[-1] != ':') return separatorKind::none;
    for (const char* phrase : lonePhrases) {
        if (equalsFolded(begin, end, phrase)) return separatorKind::forward;
    }
    const char* p = skipDashes(begin, end);
    if (p - begin < 2) return separatorKind::none;
    const char* last = end;
    while (last > p && last[-1] == '-') --last;
    const char* phraseEnd = trimBlanks(p, last);
    p = skipBlanks(p, last);
    if (equalsFolded(p, phraseEnd, forwardedTextBegin)) return separatorKind::forward;
    if (equalsFolded(p, phraseEnd, forwardedTextEnd)) return separatorKind::forwardEnd;
    if (end - last < 2) return separatorKind::none;
    for (const separatorPhrase& phrase : dashedPhrases) {
        if (equalsFolded(p, phraseEnd, phrase.text))
            return phrase.forward ? separatorKind::forward : separatorKind::reply;
    }
    return separatorKind::none;
}

}  // namespace

bool beginsForwardedText(const messageLine& line) {
    const char* begin = skipBlanks(line.begin, line.end);
    const char* p = skipBlanks(skipDashes(begin, line.end), line.end);
    return p - begin >= 2 && startsWithFolded(p, line.end, forwardedTextBegin);
}

bool isOriginalMessageSeparator(const messageLine& line) {
    static const char* const phrases[] = {"original message", "message d'origine"};
    const char* p = skipDashes(line.begin, line.end);
    if (p == line.begin) return false;
    for (const char* phrase : phrases) {
        if (!startsWithFolded(p, line.end, phrase)) continue;
        const char* after = p + std::strlen(phrase);
        return after < line.end && *after == '-';
    }
    return false;
}

separatorKind separatorOf(const messageLine& line) {
    if (isOriginalMessageSeparator(line)) return separatorKind::original;
    return otherSeparatorOf(line);
}

}  // namespace postsift
