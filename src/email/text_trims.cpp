#include "email/text_trims.h"

#include "filter/epost_sift.h"
#include "support/ascii.h"

namespace postsift {

void trimTrailingSpace(ownedText& text) {
    if (text.isNull()) return;
    std::size_t length = text.length();
    while (length > 0 && isAsciiSpace(static_cast<unsigned char>(text.get()[length - 1]))) --length;
    text.truncate(length);
}

bool endSentence(ownedText& text, bool exclaimAfterDigit) {
    if (text.isNull()) return true;
    trimTrailingSpace(text);
    if (text.length() == 0) return true;
    const unsigned char last = static_cast<unsigned char>(text.get()[text.length() - 1]);
    if (last == '.' || last == '!' || last == '?') return true;
    return text.append(exclaimAfterDigit && isAsciiDigit(last) ? "! " : ". ");
}

void epostSift::trimFilteredText() { trimTrailingSpace(filteredText); }

void epostSift::trimHeaderItemText() { trimTrailingSpace(headerItemText); }

}  // namespace postsift
