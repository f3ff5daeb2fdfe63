#include "reading/keyword_format.h"

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

}  // namespace postsift
