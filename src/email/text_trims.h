#pragma once
#include "support/owned_text.h"

namespace postsift {

// Removes the white space at the end of the text; the allocation stays.
void trimTrailingSpace(ownedText& text);

// Closes a spoken sentence: trailing white space goes, then "! " after a
// digit (a date or a number would sound odd with a full stop) or ". "
// after anything but '.', '!' and '?'. An empty text is left alone.
// Without `exclaimAfterDigit`, a digit gets ". " like anything else.
bool endSentence(ownedText& text, bool exclaimAfterDigit = true);

}  // namespace postsift
