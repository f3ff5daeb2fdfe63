#include "reading/lines/keyword_format.h"

#include <cstring>

namespace postsift {

bool appendKeywordPhrase(ownedText& out, const char* phrase, const char* itemText) {
    if (phrase == nullptr) phrase = "";
    const char* mark = std::strstr(phrase, "%s");
    if (mark == nullptr) return out.append(phrase);
    // Built aside first, so that a failure leaves no half phrase behind.
    ownedText piece;
    if (!piece.assign(phrase, static_cast<std::size_t>(mark - phrase)) || !piece.append(itemText) ||
        !piece.append(mark + 2))
        return false;
    return out.append(piece.get(), piece.length());
}

bool appendPhraseFillings(ownedText& out, const char* phrase, const char* const* fillings, std::size_t count) {
    if (phrase == nullptr) phrase = "";
    ownedText piece;
    bool ok = piece.assign("", 0);
    std::size_t next = 0;  // the filling of the next "%s"
    const char* copied = phrase;
    for (const char* p = phrase; ok && (p = std::strchr(p, '%')) != nullptr;) {
        std::size_t number = 0;
        const char* after = nullptr;
        if (p[1] == 's') {
            number = ++next;
            after = p + 2;
        } else if (p[1] >= '1' && p[1] <= '9' && p[2] == '$' && p[3] == 's') {
            number = static_cast<std::size_t>(p[1] - '0');
            after = p + 4;
        }
        if (after == nullptr || number > count) {
            ++p;
            continue;
        }
        ok = piece.append(copied, static_cast<std::size_t>(p - copied)) && piece.append(fillings[number - 1]);
        copied = p = after;
    }
    ok = ok && piece.append(copied);
    return ok && out.append(piece.get(), piece.length());
}

bool holdsFilling(const char* phrase) {
    // Most values hold no '%' at all: one pass over a short text.
    return phrase != nullptr && std::strchr(phrase, '%') != nullptr && std::strstr(phrase, "%s") != nullptr;
}

}  // namespace postsift
