#pragma once
#include <cstddef>

namespace postsift {

// The day and month names that mail writes dates with, in full or short,
// in any case; accented letters as Windows-1252 bytes, and also without
// their accent ("fevrier", "Maerz"), as mail that lost its character set
// writes them. Dates are read in English, French and German; the other
// languages are those of the attribution lines that mail programs write
// above a quote ("Den 11 mars 2025 09:12 skrev Elin:").

enum class nameLanguage { english, french, german, dutch, nordic, polish, spanish, italian, portuguese };

struct dateName {
    int number;  // day: 0 for Monday to 6 for Sunday; month: 1 to 12
    nameLanguage language;
};

struct nameSpelling {
    const char* spelling;  // lower case, Windows-1252
    int number;
    nameLanguage language;
};

// In English, French or German; the word is the name alone, without a
// trailing dot.
bool findDayName(const unsigned char* word, std::size_t length, dateName& found);
bool findMonthName(const unsigned char* word, std::size_t length, dateName& found);

// Whether the word is a day or month name of English, French or German
// written short ("sat", "mar", "so", "sept", "m\xe4r"): shorter than the
// name in full of its language.
bool isShortDateName(const unsigned char* word, std::size_t length);

// Whether a day or month name of English, French or German begins with
// this byte, in either case.
bool mayBeginDateName(unsigned char first);

// Whether the word may be a day or month name (findDayName or
// findMonthName may find it), by its first two bytes and its length alone:
// a look that turns most words away without a search.
bool mayBeDateName(const unsigned char* word, std::size_t length);

// Whether the word is a day or month name (findDayName or findMonthName
// finds it): most words are turned away by mayBeDateName before the names
// are searched.
bool isDateName(const unsigned char* word, std::size_t length);

// The look of mayBeDateName from a table, for a rule that asks it of many
// words: by the two first bytes in lower case (foldedBytes), first * 256 +
// second, the lengths of the spellings that begin so, as bits (bit n for n
// bytes, bit 7 for seven or more); 0 where none does. No spelling is
// shorter than two bytes.
const unsigned char* dateNameLengths();

// Whether a word that begins with these two bytes can be one of those: a
// look that turns most words away before they are read to their end.
bool mayBeginShortDateName(unsigned char first, unsigned char second);
// The same look for a rule that asks it of many words, from a table: by
// the two first bytes in lower case (foldedBytes), first * 256 + second,
// the lengths of the short names that begin so, as bits (bit n for n bytes,
// bit 7 for seven or more); 0 where none does.
const unsigned char* shortDateNameLengths();

// Every spelling of every language, for those that index them otherwise.
const nameSpelling* daySpellings(std::size_t& count);
const nameSpelling* monthSpellings(std::size_t& count);

}  // namespace postsift
