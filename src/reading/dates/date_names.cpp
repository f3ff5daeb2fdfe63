#include "reading/dates/date_names.h"

#include <string>
#include <vector>

#include "reading/lines/line_text.h"

namespace postsift {

namespace {

constexpr nameLanguage en = nameLanguage::english;
constexpr nameLanguage fr = nameLanguage::french;
constexpr nameLanguage de = nameLanguage::german;
constexpr nameLanguage nl = nameLanguage::dutch;
constexpr nameLanguage no = nameLanguage::nordic;
constexpr nameLanguage pl = nameLanguage::polish;
constexpr nameLanguage es = nameLanguage::spanish;
constexpr nameLanguage it = nameLanguage::italian;
constexpr nameLanguage pt = nameLanguage::portuguese;

// \xe0 a grave, \xe1 a acute, \xe4 a umlaut, \xe5 a ring, \xe7 c cedilla,
// \xe9 e acute, \xec i grave, \xf6 o umlaut, \xf8 o slash, \xfb u circumflex.
// Letters that Windows-1252 lacks (Polish) arrive as their closest ASCII
// letter, so those names are listed as such. Where two languages spell a
// name alike, the first one listed reads it.
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

    {"maandag", 0, nl},   {"ma", 0, nl},        {"dinsdag", 1, nl},   {"woensdag", 2, nl},  {"wo", 2, nl},
    {"donderdag", 3, nl}, {"vrijdag", 4, nl},   {"vr", 4, nl},        {"zaterdag", 5, nl},  {"za", 5, nl},
    {"zondag", 6, nl},    {"zo", 6, nl},

    {"m\xe5ndag", 0, no}, {"mandag", 0, no},    {"tisdag", 1, no},    {"tirsdag", 1, no},   {"onsdag", 2, no},
    {"torsdag", 3, no},   {"fredag", 4, no},    {"l\xf6rdag", 5, no}, {"l\xf8rdag", 5, no}, {"s\xf6ndag", 6, no},
    {"s\xf8ndag", 6, no},

    {"poniedzialek", 0, pl}, {"pon", 0, pl},    {"wtorek", 1, pl},    {"wt", 1, pl},        {"sroda", 2, pl},
    {"sr", 2, pl},        {"czwartek", 3, pl},  {"czw", 3, pl},       {"piatek", 4, pl},    {"pt", 4, pl},
    {"sobota", 5, pl},    {"sob", 5, pl},       {"niedziela", 6, pl}, {"niedz", 6, pl},

    {"lunes", 0, es},     {"martes", 1, es},    {"mi\xe9rcoles", 2, es}, {"miercoles", 2, es}, {"mi\xe9", 2, es},
    {"mie", 2, es},       {"jueves", 3, es},    {"jue", 3, es},       {"viernes", 4, es},   {"vie", 4, es},
    {"s\xe1" "bado", 5, es}, {"sabado", 5, es}, {"s\xe1" "b", 5, es}, {"domingo", 6, es},   {"dom", 6, es},

    {"luned\xec", 0, it}, {"lunedi", 0, it},    {"marted\xec", 1, it}, {"martedi", 1, it},  {"mercoled\xec", 2, it},
    {"mercoledi", 2, it}, {"gioved\xec", 3, it}, {"giovedi", 3, it},  {"gio", 3, it},       {"venerd\xec", 4, it},
    {"venerdi", 4, it},   {"sabato", 5, it},    {"domenica", 6, it},

    {"segunda", 0, pt},   {"seg", 0, pt},       {"ter\xe7" "a", 1, pt}, {"terca", 1, pt},   {"ter", 1, pt},
    {"quarta", 2, pt},    {"qua", 2, pt},       {"quinta", 3, pt},    {"qui", 3, pt},       {"sexta", 4, pt},
    {"sex", 4, pt},
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

    {"januari", 1, nl},   {"februari", 2, nl},  {"maart", 3, nl},     {"mrt", 3, nl},       {"mei", 5, nl},
    {"augustus", 8, nl},

    {"maj", 5, no},       {"marts", 3, no},     {"augusti", 8, no},   {"desember", 12, no}, {"des", 12, no},

    {"stycznia", 1, pl},  {"styczen", 1, pl},   {"sty", 1, pl},       {"lutego", 2, pl},    {"luty", 2, pl},
    {"lut", 2, pl},       {"marca", 3, pl},     {"marzec", 3, pl},    {"kwietnia", 4, pl},  {"kwiecien", 4, pl},
    {"kwi", 4, pl},       {"maja", 5, pl},      {"czerwca", 6, pl},   {"czerwiec", 6, pl},  {"cze", 6, pl},
    {"lipca", 7, pl},     {"lipiec", 7, pl},    {"lip", 7, pl},       {"sierpnia", 8, pl},  {"sierpien", 8, pl},
    {"sie", 8, pl},       {"wrzesnia", 9, pl},  {"wrzesien", 9, pl},  {"wrz", 9, pl},       {"pazdziernika", 10, pl},
    {"pazdziernik", 10, pl}, {"paz", 10, pl},   {"listopada", 11, pl}, {"listopad", 11, pl}, {"lis", 11, pl},
    {"grudnia", 12, pl},  {"grudzien", 12, pl}, {"gru", 12, pl},

    {"enero", 1, es},     {"ene", 1, es},       {"febrero", 2, es},   {"marzo", 3, es},     {"abril", 4, es},
    {"abr", 4, es},       {"mayo", 5, es},      {"junio", 6, es},     {"julio", 7, es},     {"agosto", 8, es},
    {"ago", 8, es},       {"septiembre", 9, es}, {"setiembre", 9, es}, {"octubre", 10, es}, {"noviembre", 11, es},
    {"diciembre", 12, es}, {"dic", 12, es},

    {"gennaio", 1, it},   {"gen", 1, it},       {"febbraio", 2, it},  {"aprile", 4, it},    {"maggio", 5, it},
    {"mag", 5, it},       {"giugno", 6, it},    {"giu", 6, it},       {"luglio", 7, it},    {"lug", 7, it},
    {"settembre", 9, it}, {"set", 9, it},       {"ottobre", 10, it},  {"ott", 10, it},      {"dicembre", 12, it},

    {"janeiro", 1, pt},   {"fevereiro", 2, pt}, {"mar\xe7o", 3, pt},  {"marco", 3, pt},     {"maio", 5, pt},
    {"junho", 6, pt},     {"julho", 7, pt},     {"setembro", 9, pt},  {"outubro", 10, pt},  {"out", 10, pt},
    {"novembro", 11, pt}, {"dezembro", 12, pt},
};

bool readsDatesIn(nameLanguage language) {
    return language == nameLanguage::english || language == nameLanguage::french || language == nameLanguage::german;
}

struct indexedName {
    const char* spelling;
    std::size_t length;
    dateName name;
    bool isShort;  // shorter than the name in full of its language
};

// The names of one table that dates are read in, asked of every word of a
// line: kept by first byte, so that a word meets only the few names it
// could be, and most words none.
class nameIndex {
public:
    template <std::size_t count>
    explicit nameIndex(const nameSpelling (&names)[count]) {
        for (const nameSpelling& name : names) {
            if (!readsDatesIn(name.language)) continue;
            const std::size_t length = std::char_traits<char>::length(name.spelling);
            bool isShort = false;
            for (const nameSpelling& other : names)
                isShort = isShort || (other.number == name.number && other.language == name.language &&
                                      std::char_traits<char>::length(other.spelling) > length);
            // Where two languages spell a name alike, the first one listed
            // reads it; the spelling is short when it is short in either.
            std::vector<indexedName>& same = byFirstByte_[static_cast<unsigned char>(name.spelling[0])];
            indexedName* earlier = nullptr;
            for (indexedName& known : same)
                if (known.length == length && std::char_traits<char>::compare(known.spelling, name.spelling, length) == 0)
                    earlier = &known;
            if (earlier != nullptr)
                earlier->isShort = earlier->isShort || isShort;
            else
                same.push_back({name.spelling, length, {name.number, name.language}, isShort});
        }
    }

    // Marks the length of each short spelling under its first two bytes:
    // bit n for n bytes, bit 7 for seven or more.
    void markShortBeginnings(std::vector<unsigned char>& lengths) const {
        for (const std::vector<indexedName>& names : byFirstByte_)
            for (const indexedName& name : names)
                if (name.isShort && name.length >= 2)
                    lengths[static_cast<unsigned char>(name.spelling[0]) * 256u +
                            static_cast<unsigned char>(name.spelling[1])] |=
                        static_cast<unsigned char>(1u << (name.length < 7 ? name.length : 7));
    }

    // Marks the length of each spelling under its first two bytes: bit n
    // for n bytes, bit 7 for seven or more.
    void markBeginnings(std::vector<unsigned char>& lengths) const {
        for (const std::vector<indexedName>& names : byFirstByte_)
            for (const indexedName& name : names)
                if (name.length >= 2)
                    lengths[static_cast<unsigned char>(name.spelling[0]) * 256u +
                            static_cast<unsigned char>(name.spelling[1])] |=
                        static_cast<unsigned char>(1u << (name.length < 7 ? name.length : 7));
    }

    bool hasNamesBeginningWith(unsigned char first) const { return !byFirstByte_[foldedBytes.of[first]].empty(); }

    const indexedName* find(const unsigned char* word, std::size_t length) const {
        if (length == 0) return nullptr;
        for (const indexedName& name : byFirstByte_[foldedBytes.of[word[0]]]) {
            if (name.length != length) continue;
            std::size_t i = 1;
            while (i < length && foldedBytes.of[word[i]] == static_cast<unsigned char>(name.spelling[i])) ++i;
            if (i == length) return &name;
        }
        return nullptr;
    }

private:
    std::vector<indexedName> byFirstByte_[256];
};

const nameIndex& dayIndex() {
    static const nameIndex built(dayNames);
    return built;
}

const nameIndex& monthIndex() {
    static const nameIndex built(monthNames);
    return built;
}

// By the two first bytes (in lower case) of a word: the lengths of the
// spellings of either table that `mark` marks.
std::vector<unsigned char> beginningsMarkedBy(void (nameIndex::*mark)(std::vector<unsigned char>&) const) {
    std::vector<unsigned char> lengths(256 * 256, 0);
    (dayIndex().*mark)(lengths);
    (monthIndex().*mark)(lengths);
    return lengths;
}

// The short spellings' beginnings.
const std::vector<unsigned char>& shortBeginnings() {
    static const std::vector<unsigned char> built = beginningsMarkedBy(&nameIndex::markShortBeginnings);
    return built;
}

// Every spelling's beginnings.
const std::vector<unsigned char>& nameBeginnings() {
    static const std::vector<unsigned char> built = beginningsMarkedBy(&nameIndex::markBeginnings);
    return built;
}

bool findIn(const nameIndex& index, const unsigned char* word, std::size_t length, dateName& found) {
    const indexedName* name = index.find(word, length);
    if (name == nullptr) return false;
    found = name->name;
    return true;
}

bool isShortIn(const nameIndex& index, const unsigned char* word, std::size_t length) {
    const indexedName* name = index.find(word, length);
    return name != nullptr && name->isShort;
}

}  // namespace

bool isShortDateName(const unsigned char* word, std::size_t length) {
    return isShortIn(dayIndex(), word, length) || isShortIn(monthIndex(), word, length);
}

bool mayBeginDateName(unsigned char first) {
    return dayIndex().hasNamesBeginningWith(first) || monthIndex().hasNamesBeginningWith(first);
}

bool mayBeginShortDateName(unsigned char first, unsigned char second) {
    return shortBeginnings()[foldedBytes.of[first] * 256u + foldedBytes.of[second]] != 0;
}

bool mayBeDateName(const unsigned char* word, std::size_t length) {
    if (length < 2) return true;
    const unsigned lengths = nameBeginnings()[foldedBytes.of[word[0]] * 256u + foldedBytes.of[word[1]]];
    return ((lengths >> (length < 7 ? length : 7)) & 1u) != 0;
}

bool isDateName(const unsigned char* word, std::size_t length) {
    dateName found{};
    return mayBeDateName(word, length) && (findDayName(word, length, found) || findMonthName(word, length, found));
}

const unsigned char* shortDateNameLengths() { return shortBeginnings().data(); }

const unsigned char* dateNameLengths() { return nameBeginnings().data(); }

bool findDayName(const unsigned char* word, std::size_t length, dateName& found) {
    return findIn(dayIndex(), word, length, found);
}

bool findMonthName(const unsigned char* word, std::size_t length, dateName& found) {
    return findIn(monthIndex(), word, length, found);
}

const nameSpelling* daySpellings(std::size_t& count) {
    count = sizeof dayNames / sizeof dayNames[0];
    return dayNames;
}

const nameSpelling* monthSpellings(std::size_t& count) {
    count = sizeof monthNames / sizeof monthNames[0];
    return monthNames;
}

}  // namespace postsift
