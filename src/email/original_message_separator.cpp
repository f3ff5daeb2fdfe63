#include "email/original_message_separator.h"

#include <cstring>

#include "support/ascii.h"

namespace postsift {

namespace {

// Lower case; \xe9 is e acute, \xfc u umlaut (matched as written: the case
// of letters above ASCII is not folded).
const char* const dashedPhrases[] = {
    "original message",          "forwarded message",         "message d'origine",
    "message original",          "message transf\xe9r\xe9",   "message transfere",
    "urspr\xfcngliche nachricht", "urspruengliche nachricht", "weitergeleitete nachricht",
    "original-nachricht",
};
const char* const lonePhrases[] = {
    "begin forwarded message:",
    "d\xe9" "but du message r\xe9" "exp\xe9" "di\xe9 :",
    "d\xe9" "but du message r\xe9" "exp\xe9" "di\xe9:",
    "anfang der weitergeleiteten nachricht:",
};

const char* skipDashes(const char* p, const char* end) {
    while (p < end && *p == '-') ++p;
    return p;
}

bool equalsFolded(const char* from, const char* to, const char* lower) {
    return static_cast<std::size_t>(to - from) == std::strlen(lower) && startsWithFolded(from, to, lower);
}

}  // namespace

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

bool isOtherSeparator(const messageLine& line) {
    if (line.depth != 0) return false;
    const char* begin = skipBlanks(line.begin, line.end);
    const char* end = trimBlanks(begin, line.end);
    for (const char* phrase : lonePhrases) {
        if (equalsFolded(begin, end, phrase)) return true;
    }
    const char* p = skipDashes(begin, end);
    const char* last = end;
    while (last > p && last[-1] == '-') --last;
    if (p - begin < 2 || end - last < 2) return false;
    p = skipBlanks(p, last);
    last = trimBlanks(p, last);
    for (const char* phrase : dashedPhrases) {
        if (equalsFolded(p, last, phrase)) return true;
    }
    return false;
}

}  // namespace postsift
