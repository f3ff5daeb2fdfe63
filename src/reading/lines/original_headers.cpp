#include "reading/lines/original_headers.h"

#include <cstring>

#include "support/byte_table.h"

namespace postsift {

namespace {

struct parsedHeader {
    const char* nameBegin = nullptr;
    const char* nameEnd = nullptr;
    const char* value = nullptr;  // after the colon and a closing '*'
    const headerName* known = nullptr;
};

// The bytes that end a header's name: asked of every line with a colon.
constexpr byteTable<bool> nameEnds =
    tableOfBytes<bool>([](unsigned char c) { return c == ':' || c == ' ' || c == '\t' || c == '*'; });

bool parse(const messageLine& line, parsedHeader& header) {
    if (line.depth != 0) return false;
    const char* p = line.begin;
    const bool starred = p < line.end && *p == '*';
    if (starred) ++p;
    header.nameBegin = p;
    while (p < line.end && !nameEnds.of[static_cast<unsigned char>(*p)]) ++p;
    header.nameEnd = p;
    if (starred && p < line.end && *p == '*') ++p;  // "*From*:"
    p = skipBlanks(p, line.end);
    if (p == line.end || *p != ':') return false;
    ++p;
    if (starred && p < line.end && *p == '*') ++p;  // "*From:*"
    if (p < line.end && !isBlank(*p)) return false;
    header.value = p;
    header.known = findHeaderName(header.nameBegin, header.nameEnd, true);
    return header.known != nullptr && header.known->original;
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
