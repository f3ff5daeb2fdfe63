#include "reading/lines/original_headers.h"

#include <cstring>

#include "support/ascii.h"

namespace postsift {

namespace {

struct headerName {
    const char* name;     // as mail programs write it, in lower case
    const char* written;  // what the scanner is given instead; null: as it stands
    originalField field;
};

// \xe9 is e acute, \xe0 and \xc0 a grave in lower and upper case.
const headerName names[] = {
    {"from", nullptr, originalField::sender},        {"sent", nullptr, originalField::date},
    {"date", nullptr, originalField::date},          {"to", nullptr, originalField::other},
    {"cc", nullptr, originalField::other},           {"subject", nullptr, originalField::subject},
    {"de", nullptr, originalField::sender},          {"envoy\xe9", "Sent", originalField::date},
    {"envoye", nullptr, originalField::date},        {"\xe0", "To", originalField::other},
    {"objet", nullptr, originalField::subject},      {"von", nullptr, originalField::sender},
    {"gesendet", nullptr, originalField::date},      {"datum", nullptr, originalField::date},
    {"an", nullptr, originalField::other},           {"betreff", nullptr, originalField::subject},
};

// Case folding of the name: ASCII, and the one accented capital of the table.
unsigned char folded(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u == 0xc0 ? 0xe0 : asciiLower(u);
}

struct parsedHeader {
    const char* nameBegin = nullptr;
    const char* nameEnd = nullptr;
    const char* value = nullptr;  // after the colon and a closing '*'
    const headerName* known = nullptr;
};

bool parse(const messageLine& line, parsedHeader& header) {
    if (line.depth != 0) return false;
    const char* p = line.begin;
    const bool starred = p < line.end && *p == '*';
    if (starred) ++p;
    header.nameBegin = p;
    while (p < line.end && *p != ':' && *p != ' ' && *p != '\t' && *p != '*') ++p;
    header.nameEnd = p;
    if (starred && p < line.end && *p == '*') ++p;  // "*From*:"
    p = skipBlanks(p, line.end);
    if (p == line.end || *p != ':') return false;
    ++p;
    if (starred && p < line.end && *p == '*') ++p;  // "*From:*"
    if (p < line.end && *p != ' ' && *p != '\t') return false;
    header.value = p;
    const std::size_t length = static_cast<std::size_t>(header.nameEnd - header.nameBegin);
    for (const headerName& candidate : names) {
        if (std::strlen(candidate.name) != length) continue;
        std::size_t i = 0;
        while (i < length && folded(header.nameBegin[i]) == static_cast<unsigned char>(candidate.name[i])) ++i;
        if (i == length) {
            header.known = &candidate;
            return true;
        }
    }
    return false;
}

// The address inside "[mailto:a@b]" at p, or null.
const char* mailtoAddress(const char* p, const char* end, const char*& close) {
    if (*p != '[' || !startsWithFolded(p + 1, end, "mailto:")) return nullptr;
    const char* address = p + 8;
    close = address;
    while (close < end && *close != ']' && *close != ' ') ++close;
    if (close == end || *close != ']') return nullptr;
    return std::memchr(address, '@', static_cast<std::size_t>(close - address)) != nullptr ? address : nullptr;
}

// The value, with "[mailto:a@b]" written as "<a@b>".
void appendValue(const char* p, const char* end, std::string& out) {
    const char* copied = p;
    while (p < end) {
        const char* close = nullptr;
        const char* address = mailtoAddress(p, end, close);
        if (address == nullptr) {
            ++p;
            continue;
        }
        out.append(copied, p);
        out += '<';
        out.append(address, close);
        out += '>';
        copied = p = close + 1;
    }
    out.append(copied, end);
}

}  // namespace

bool isOriginalHeaderLine(const messageLine& line) {
    parsedHeader header;
    return parse(line, header);
}

bool readOriginalHeader(const messageLine& line, originalField& field, const char*& value) {
    parsedHeader header;
    if (!parse(line, header)) return false;
    field = header.known->field;
    value = header.value;
    return true;
}

std::string plainOriginalHeaderLine(const messageLine& line) {
    parsedHeader header;
    if (!parse(line, header)) return std::string(line.begin, line.next);
    std::string plain = header.known->written != nullptr ? std::string(header.known->written)
                                                        : std::string(header.nameBegin, header.nameEnd);
    plain += ':';
    appendValue(header.value, line.end, plain);
    plain.append(line.end, line.next);
    return plain;
}

}  // namespace postsift
