#include "reading/lines/header_names.h"

#include <cstring>

#include "reading/lines/line_text.h"

namespace postsift {

namespace {

constexpr originalField sender = originalField::sender;
constexpr originalField date = originalField::date;
constexpr originalField subject = originalField::subject;
constexpr originalField other = originalField::other;

// \xe0 is a grave, \xe9 e acute, \xe7 c cedilla.
const headerName names[] = {
    {"from", true, sender, nullptr},       {"sender", false, other, nullptr},
    {"to", true, other, nullptr},          {"cc", true, other, nullptr},
    {"bcc", false, other, nullptr},        {"date", true, date, nullptr},
    {"subject", true, subject, nullptr},   {"received", false, other, nullptr},
    {"references", false, other, nullptr}, {"comments", false, other, nullptr},
    {"keywords", false, other, nullptr},   {"sent", true, date, nullptr},
    {"de", true, sender, nullptr},         {"\xe0", true, other, "To"},
    {"objet", true, subject, nullptr},     {"envoy\xe9", true, date, "Sent"},
    {"envoye", true, date, nullptr},       {"re\xe7u", false, other, nullptr},
    {"cci", false, other, nullptr},        {"von", true, sender, nullptr},
    {"an", true, other, nullptr},          {"betreff", true, subject, nullptr},
    {"datum", true, date, nullptr},        {"gesendet", true, date, nullptr},
};

}  // namespace

const headerName* findHeaderName(const char* from, const char* to) {
    if (from == to) return nullptr;
    // Asked of every keyword that begins a line: most differ at once.
    const unsigned char first = foldedByte(*from);
    for (const headerName& candidate : names) {
        if (static_cast<unsigned char>(candidate.name[0]) == first && equalsFolded(from, to, candidate.name))
            return &candidate;
    }
    return nullptr;
}

}  // namespace postsift
