#include "mime/html_placeholder.h"

namespace postsift::mime {

namespace {

constexpr int mostLines = 8;
constexpr std::size_t mostVisibleBytes = 600;
// How far from "HTML" a word that says what it is about may stand.
constexpr int wordsBefore = 3;
constexpr int wordsAfter = 2;

// Words that, beside "HTML", say that the message is in it or that a
// program must read it: the beginnings of the English, French and German
// words for a message, a mail, a format, a program and what it does.
const char* const cueStems[] = {
    "messag",  "mail",     "email",    "courri",  "nachricht", "format",   "capabl",  "enabl",
    "compatib", "kompatib", "aware",   "enhanc",  "support",   "unterst",  "f\xe4hig", "faehig",
    "display", "affich",   "anzeig",   "angez",   "darstell",  "dargest",  "view",    "visualis",
    "program", "client",   "logiciel", "lecteur", "reader",    "browser",  "navigat",
};
// Short words that would begin too many others: "in HTML", "au format HTML".
const char* const cueWords[] = {"in", "en", "im", "au", "read", "lire", "lesen"};

// Letters of Windows-1252 text: ASCII ones and the accented ones.
bool isLetter(unsigned char c) { return isAsciiLetter(c) || (c >= 0xC0 && c != 0xD7 && c != 0xF7); }

bool isVisible(unsigned char c) { return !isAsciiSpace(c) && c != 0xA0; }

bool isCue(byteSpan word) {
    for (const char* stem : cueStems)
        if (startsWithName(word, stem)) return true;
    for (const char* cue : cueWords)
        if (sameName(word, cue)) return true;
    return false;
}

// Short: at most a few lines that are not blank, and few bytes on them.
bool isShort(byteSpan text, bool& empty) {
    int lines = 0;
    std::size_t visible = 0;
    bool lineHasText = false;
    for (const char* at = text.begin; at < text.end; ++at) {
        const unsigned char c = static_cast<unsigned char>(*at);
        if (c == '\n') {
            lineHasText = false;
            continue;
        }
        if (!isVisible(c)) continue;
        if (!lineHasText) {
            lineHasText = true;
            if (++lines > mostLines) return false;
        }
        if (++visible > mostVisibleBytes) return false;
    }
    empty = visible == 0;
    return true;
}

// Whether "HTML" stands near a cue word, as words go by.
class cueFinder {
public:
    bool take(byteSpan word) {
        if (wordsToLook_ > 0) {
            if (isCue(word)) return true;
            --wordsToLook_;
        }
        if (sameName(word, "html")) {
            for (int i = 0; i < count_; ++i)
                if (isCue(recent_[i])) return true;
            wordsToLook_ = wordsAfter;
        }
        recent_[next_] = word;
        next_ = (next_ + 1) % wordsBefore;
        if (count_ < wordsBefore) ++count_;
        return false;
    }

private:
    byteSpan recent_[wordsBefore];
    int count_ = 0;
    int next_ = 0;
    int wordsToLook_ = 0;
};

}  // namespace

bool isHtmlPlaceholder(byteSpan text) {
    bool empty = false;
    if (!isShort(text, empty)) return false;
    if (empty) return true;
    cueFinder finder;
    for (const char* at = text.begin; at < text.end;) {
        if (!isLetter(static_cast<unsigned char>(*at))) {
            ++at;
            continue;
        }
        const char* word = at;
        while (at < text.end && isLetter(static_cast<unsigned char>(*at))) ++at;
        if (finder.take(byteSpan(word, at))) return true;
    }
    return false;
}

}  // namespace postsift::mime
