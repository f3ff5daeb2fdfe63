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

bool holdsFilling(const char* phrase) {
    // Most values hold no '%' at all: one pass over a short text.
    return phrase != nullptr && std::strchr(phrase, '%') != nullptr && std::strstr(phrase, "%s") != nullptr;
}

}  // namespace postsift
