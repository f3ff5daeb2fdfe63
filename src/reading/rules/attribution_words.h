#pragma once
#include <cstddef>

namespace postsift {

// The wordings of the attribution lines that mail programs write above an
// earlier message, in English, French, German, Dutch, Swedish, Norwegian,
// Danish, Polish, Spanish, Italian and Portuguese (the words of their dates
// are in reading/dates/date_tokens.h).

// The endings after which the name has been said ("wrote:", "a écrit :"),
// lower case, the final ':' included.
inline constexpr std::size_t attributionEndingCount = 28;
extern const char* const attributionEndings[attributionEndingCount];

// Endings that people write in prose too ("The manual said:", "What the
// magazine said:" above a quotation without '>' marks): an attribution
// above a quote, never above an earlier message without marks.
inline constexpr std::size_t spokenEndingCount = 3;
extern const char* const spokenEndings[spokenEndingCount];

// The verbs after which the name is said, up to the final ':' ("schrieb
// Jonas Brandt:", "skrev Elin:"), lower case.
inline constexpr std::size_t attributionVerbCount = 3;
extern const char* const attributionVerbs[attributionVerbCount];

// "you wrote:", "vous avez écrit :", "Sie schrieben:": the reader is the
// writer, and no name is said.
bool isReaderAddressed(const char* word, std::size_t length);

// Words after which the name comes in a wording ("heeft", "użytkownik"),
// in any case.
bool isNameIntroduction(const char* word, std::size_t length);

}  // namespace postsift
