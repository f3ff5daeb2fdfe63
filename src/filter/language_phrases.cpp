#include "filter/language_phrases.h"

#include "filter/epost_sift.h"

namespace postsift {

const char* phraseOf(const epostSift& filter, const char* symbol, const char* buildDefault) {
    const filterEntry* entry = reservedSymbol(filter, symbol);
    const char* phrase = entry != nullptr ? entry->value() : buildDefault;
    return phrase != nullptr && phrase[0] != '\0' ? phrase : nullptr;
}

}  // namespace postsift
