#include "reading/dates/date_names.h"

#include "support/ascii.h"

namespace postsift {

namespace {

struct nameSpelling {
    const char* spelling;  // lower case; \xe9 e acute, \xfb u circumflex, \xe4 a umlaut
    int number;
    nameLanguage language;
};

constexpr nameLanguage en = nameLanguage::english;
constexpr nameLanguage fr = nameLanguage::french;
constexpr nameLanguage de = nameLanguage::german;

const nameSpelling dayNames[] = {
    {"monday", 0, en},    {"mon", 0, en},       {"tuesday", 1, en},   {"tue", 1, en},       {"tues", 1, en},
    {"wednesday", 2, en}, {"wed", 2, en},       {"thursday", 3, en},  {"thu", 3, en},       {"thur", 3, en},
    {"thurs", 3, en},     {"friday", 4, en},    {"fri", 4, en},       {"saturday", 5, en},  {"sat", 5, en},
    {"sunday", 6, en},    {"sun", 6, en},

    {"lundi", 0, fr},     {"lun", 0, fr},       {"mardi", 1, fr},     {"mar", 1, fr},       {"mercredi", 2, fr},
    {"mer", 2, fr},       {"jeudi", 3, fr},     {"jeu", 3, fr},       {"vendredi", 4, fr},  {"ven", 4, fr},
    {"samedi", 5, fr},    {"sam", 5, fr},       {"dimanche", 6, fr},  {"dim", 6, fr},

    {"montag", 0, de},    {"mo", 0, de},        {"dienstag", 1, de},  {"di", 1, de},        {"mittwoch", 2, de},
    {"mi", 2, de},        {"donnerstag", 3, de}, {"do", 3, de},       {"freitag", 4, de},   {"fr", 4, de},
    {"samstag", 5, de},   {"sonnabend", 5, de}, {"sa", 5, de},        {"sonntag", 6, de},   {"so", 6, de},
};

const nameSpelling monthNames[] = {
    {"january", 1, en},   {"jan", 1, en},       {"february", 2, en},  {"feb", 2, en},       {"march", 3, en},
    {"mar", 3, en},       {"april", 4, en},     {"apr", 4, en},       {"may", 5, en},       {"june", 6, en},
    {"jun", 6, en},       {"july", 7, en},      {"jul", 7, en},       {"august", 8, en},    {"aug", 8, en},
    {"september", 9, en}, {"sep", 9, en},       {"sept", 9, en},      {"october", 10, en},  {"oct", 10, en},
    {"november", 11, en}, {"nov", 11, en},      {"december", 12, en}, {"dec", 12, en},

    {"janvier", 1, fr},   {"janv", 1, fr},      {"f\xe9vrier", 2, fr}, {"f\xe9vr", 2, fr},  {"f\xe9v", 2, fr},
    {"fevrier", 2, fr},   {"fevr", 2, fr},      {"fev", 2, fr},       {"mars", 3, fr},      {"avril", 4, fr},
    {"avr", 4, fr},       {"mai", 5, fr},       {"juin", 6, fr},      {"juillet", 7, fr},   {"juil", 7, fr},
    {"ao\xfbt", 8, fr},   {"aout", 8, fr},      {"septembre", 9, fr}, {"octobre", 10, fr},  {"novembre", 11, fr},
    {"d\xe9" "cembre", 12, fr}, {"d\xe9" "c", 12, fr}, {"decembre", 12, fr},

    {"januar", 1, de},    {"j\xe4nner", 1, de}, {"j\xe4n", 1, de},    {"februar", 2, de},   {"m\xe4rz", 3, de},
    {"m\xe4r", 3, de},    {"maerz", 3, de},     {"marz", 3, de},      {"mrz", 3, de},       {"juni", 6, de},
    {"juli", 7, de},      {"oktober", 10, de},  {"okt", 10, de},      {"dezember", 12, de}, {"dez", 12, de},
};

bool sameName(const unsigned char* word, std::size_t length, const char* spelling) {
    std::size_t i = 0;
    for (; i < length; ++i) {
        const unsigned char expected = static_cast<unsigned char>(spelling[i]);
        if (expected == '\0' || asciiLower(word[i]) != expected) return false;
    }
    return spelling[i] == '\0';
}

template <std::size_t count>
bool findIn(const nameSpelling (&names)[count], const unsigned char* word, std::size_t length, dateName& found) {
    for (const nameSpelling& name : names) {
        if (sameName(word, length, name.spelling)) {
            found = {name.number, name.language};
            return true;
        }
    }
    return false;
}

}  // namespace

bool findDayName(const unsigned char* word, std::size_t length, dateName& found) {
    return findIn(dayNames, word, length, found);
}

bool findMonthName(const unsigned char* word, std::size_t length, dateName& found) {
    return findIn(monthNames, word, length, found);
}

}  // namespace postsift
