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
const separatorPhrase lonePhrases[] = {
    {"begin forwarded message:", true},
    {"d\xe9" "but du message r\xe9" "exp\xe9" "di\xe9 :", true},
    {"d\xe9" "but du message r\xe9" "exp\xe9" "di\xe9:", true},
    {"anfang der weitergeleiteten nachricht:", true},
};

const char* skipDashes(const char* p, const char* end) {
    while (p < end && *p == '-') ++p;
    return p;
}

// The phrase of another program's separator on this line, or null.
const separatorPhrase* otherSeparatorPhrase(const messageLine& line) {
    if (line.depth != 0) return nullptr;
    const char* begin = skipBlanks(line.begin, line.end);
    // Asked of every line: most begin with none of the phrases' first bytes.
    if (begin == line.end || std::strchr("-bBdDaA", *begin) == nullptr) return nullptr;
    const char* end = trimBlanks(begin, line.end);
    for (const separatorPhrase& phrase : lonePhrases) {
        if (equalsFolded(begin, end, phrase.text)) return &phrase;
    }
    const char* p = skipDashes(begin, end);
    const char* last = end;
    while (last > p && last[-1] == '-') --last;
    if (p - begin < 2 || end - last < 2) return nullptr;
    p = skipBlanks(p, last);
    last = trimBlanks(p, last);
    for (const separatorPhrase& phrase : dashedPhrases) {
        if (equalsFolded(p, last, phrase.text)) return &phrase;
    }
    return nullptr;
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

separatorKind separatorOf(const messageLine& line) {
    if (isOriginalMessageSeparator(line)) return separatorKind::original;
    const separatorPhrase* phrase = otherSeparatorPhrase(line);
    if (phrase == nullptr) return separatorKind::none;
    return phrase->forward ? separatorKind::forward : separatorKind::reply;
}

}  // namespace postsift
