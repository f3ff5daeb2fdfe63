#pragma once
#include <cstddef>

#include "filter/language_phrases.h"
#include "reading/dates/date_words.h"
#include "reading/lines/reading_words.h"

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

// Everything a language build brings: its built-in table, the phrases of
// the features whose symbols a configuration need not define, its words
// for dates, and the words its reading rules look for and say. Each language folder (languages/NAME/builtins.cpp) defines one,
// named after it: frenchBuild, germanBuild ...
struct languageBuild {
    builtInTable table;
    const languagePhrases& phrases;
    const dateWords& dates;
    const readingWords& words;
};

void installBuiltIns(epostSift& filter, const builtInTable& table);

}  // namespace postsift
