#pragma once
#include "support/owned_text.h"

namespace postsift {

// Appends a keyword's spoken phrase: the phrase with its first "%s" standing
// for the item's text. The phrase is configuration, never a printf format:
// every other character, '%' included, is copied as it stands.
// False when memory ran out; `out` is then unchanged.
bool appendKeywordPhrase(ownedText& out, const char* phrase, const char* itemText);

// Whether a phrase holds the "%s" that stands for an item's text.
bool holdsFilling(const char* phrase);

}  // namespace postsift
