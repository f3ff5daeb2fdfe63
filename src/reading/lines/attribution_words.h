#pragma once
#include <cstddef>

namespace postsift {

// The words of the attribution lines that mail programs write above an
// earlier message, in English, French, German, Dutch, Swedish, Norwegian,
// Danish, Polish, Spanish, Italian and Portuguese. Words are compared
// without regard to ASCII case, with a trailing ',' or '.' left aside.

// A word of a date: a day or month name, a number, a date or a time
// ("11.03.2025", "9:12", "1er"), "AM" and "PM", or a word that joins them
// ("On", "Le", "Am", "at", "à", "um", "om", "kl.", "de" ...).
bool isDateWord(const char* word, std::size_t length);

// A month name of any of the languages.
bool isMonthName(const char* word, std::size_t length);

// A time ("9:12", "09.12", "14h05") or a date written in figures
// ("11.03.2025", "2025/3/11", "2025-03-11"), or a year ("2025").
bool isFigureDateOrTime(const char* word, std::size_t length);

// The endings after which the name has been said ("wrote:", "a écrit :"),
// lower case, the final ':' included.
extern const char* const attributionEndings[];
extern const std::size_t attributionEndingCount;

// The verbs after which the name is said, up to the final ':' ("schrieb
// Jonas Brandt:", "skrev Elin:"), lower case.
extern const char* const attributionVerbs[];
extern const std::size_t attributionVerbCount;

// Words after which the name comes in a wording ("heeft", "użytkownik").
bool isNameIntroduction(const char* word, std::size_t length);

}  // namespace postsift
