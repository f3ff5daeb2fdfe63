#pragma once
#include <cstddef>

#include "support/owned_text.h"

namespace postsift {

// Appends a keyword's spoken phrase: the phrase with its first "%s" standing
// for the item's text. The phrase is configuration, never a printf format:
// every other character, '%' included, is copied as it stands.
// False when memory ran out; `out` is then unchanged.
bool appendKeywordPhrase(ownedText& out, const char* phrase, const char* itemText);

// Appends a phrase with several fillings: "%1$s", "%2$s" ... stand for the
// filling of that number, and each "%s" for the filling after the one that
// the last "%s" took (the first, at first), so that a translation may put
// them in any order. A mark whose filling was not given, and every other
// character, '%' included, is copied as it stands: the phrase is
// configuration, never a printf format. False when memory ran out; `out` is
// then unchanged.
bool appendPhraseFillings(ownedText& out, const char* phrase, const char* const* fillings, std::size_t count);

// Whether a phrase holds the "%s" that stands for an item's text.
bool holdsFilling(const char* phrase);

}  // namespace postsift
