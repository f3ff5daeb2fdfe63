#pragma once
#include <cstddef>

namespace postsift {

// The day and month names that dates are written with in English, French
// and German mail, in full or short, in any ASCII case; accented letters as
// Windows-1252 bytes, lower case, and also without their accent ("fevrier",
// "Maerz"), as mail that lost its character set writes them.

enum class nameLanguage { english, french, german };

struct dateName {
    int number;  // day: 0 for Monday to 6 for Sunday; month: 1 to 12
    nameLanguage language;
};

// The word is the name alone, without a trailing dot.
bool findDayName(const unsigned char* word, std::size_t length, dateName& found);
bool findMonthName(const unsigned char* word, std::size_t length, dateName& found);

}  // namespace postsift
