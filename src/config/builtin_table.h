#pragma once
#include <cstddef>

#include "filter/language_phrases.h"
#include "reading/date_words.h"

namespace postsift {

class epostSift;

struct builtInEntry {
    const char* key;
    const char* value;
};

// One language's built-in configuration, installed entry by entry in order.
struct builtInTable {
    const builtInEntry* entries;
    std::size_t count;
};

extern const builtInTable frenchBuiltIns;
extern const builtInTable germanBuiltIns;

extern const languagePhrases frenchPhrases;
extern const languagePhrases germanPhrases;

extern const dateWords frenchDateWords;
extern const dateWords germanDateWords;

void installBuiltIns(epostSift& filter, const builtInTable& table);

}  // namespace postsift
