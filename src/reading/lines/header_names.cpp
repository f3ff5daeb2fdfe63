#include "reading/lines/header_names.h"

#include <cstring>
#include <vector>

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
    {"reply-to", true, other, nullptr},
    // The other languages, each said to the scanner as its English name:
    // \xe5 is a ring, \xe4 a umlaut. "De" and "Datum" are above.
    {"fra", true, sender, "From", true},   {"sendt", true, date, "Sent", true},
    {"til", true, other, "To", true},      {"emne", true, subject, "Subject", true},
    {"fr\xe5n", true, sender, "From", true}, {"skickat", true, date, "Sent", true},
    {"till", true, other, "To", true},     {"\xe4mne", true, subject, "Subject", true},
    {"van", true, sender, "From", true},   {"verzonden", true, date, "Sent", true},
    {"aan", true, other, "To", true},      {"onderwerp", true, subject, "Subject", true},
    {"enviado", true, date, "Sent", true}, {"enviada", true, date, "Sent", true},
    {"para", true, other, "To", true},     {"asunto", true, subject, "Subject", true},
    {"assunto", true, subject, "Subject", true}, {"da", true, sender, "From", true},
    {"inviato", true, date, "Sent", true}, {"a", true, other, "To", true},
    {"oggetto", true, subject, "Subject", true},
};

}  // namespace

namespace {

// The names by their first byte, each with its length: asked of every
// keyword that begins a line, most of which begin as no name does or
// differ in length from those that do.
struct nameIndex {
    struct entry {
        const headerName* name;
        std::size_t length;
    };
    std::vector<entry> byFirstByte[256];
    // The first bytes of the names that an earlier message's header line
    // can have for each field.
    firstByteTable originalFirstByte[4] = {};

    nameIndex() {
        for (const headerName& name : names) {
            const unsigned char first = static_cast<unsigned char>(name.name[0]);
            byFirstByte[first].push_back({&name, std::strlen(name.name)});
            if (name.original) originalFirstByte[static_cast<int>(name.field)].at[first] = true;
        }
    }
};

const nameIndex& index() {
    static const nameIndex built;
    return built;
}

}  // namespace

const headerName* findHeaderName(const char* from, const char* to, bool aboveEarlierMessage) {
    if (from == to) return nullptr;
    const std::size_t length = static_cast<std::size_t>(to - from);
    for (const nameIndex::entry& candidate : index().byFirstByte[foldedByte(*from)]) {
        if (candidate.length == length && startsWithFolded(from, to, candidate.name->name))
            return candidate.name->aboveEarlierMessageOnly && !aboveEarlierMessage ? nullptr : candidate.name;
    }
    return nullptr;
}

const firstByteTable& originalFirstBytes(originalField field) {
    return index().originalFirstByte[static_cast<int>(field)];
}

bool originalNameMayBegin(originalField field, char c) { return originalFirstBytes(field).at[foldedByte(c)]; }

}  // namespace postsift
