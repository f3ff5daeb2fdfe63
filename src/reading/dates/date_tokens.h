#pragma once
#include <cstddef>

namespace postsift {

// The words that dates are written with in the attribution lines of mail
// programs, in English, French, German, Dutch, Swedish, Norwegian, Danish,
// Polish, Spanish, Italian and Portuguese, told apart from other words
// without reading the date. Words are compared in any case, with a trailing
// ',', '.' or ';' left aside.

// What a word is to a date:
enum class dateWordKind {
    none,
    month,    // a month name of any of the languages
    figures,  // a number, a date or a time ("11.03.2025", "9:12", "1er"): a word with a digit
    other,    // a day name, "AM" and "PM", a word that joins them ("On", "Le", "Am", "at", "à", "um",
              // "om", "kl.", "de" ...), or a lone comma or full stop between them
};
dateWordKind dateWordOf(const char* word, std::size_t length);

inline bool isDateWord(const char* word, std::size_t length) {
    return dateWordOf(word, length) != dateWordKind::none;
}
inline bool isMonthName(const char* word, std::size_t length) {
    return dateWordOf(word, length) == dateWordKind::month;
}

// A time ("9:12", "09.12", "14h05") or a date written in figures
// ("11.03.2025", "2025/3/11", "2025-03-11"), or a year ("2025").
bool isFigureDateOrTime(const char* word, std::size_t length);

}  // namespace postsift
