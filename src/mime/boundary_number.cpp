#include "mime/boundary_number.h"

#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "support/ascii.h"

namespace postsift::mime {

namespace {

// Calls `visit` with the digits right after each place where the stem
// stands (perhaps none).
template <typename visitor>
void forEachStem(byteSpan text, const char* stem, std::size_t length, visitor&& visit) {
    const char* at = text.begin;
    while (static_cast<std::size_t>(text.end - at) >= length) {
        at = static_cast<const char*>(std::memchr(at, stem[0], static_cast<std::size_t>(text.end - at)));
        if (at == nullptr || static_cast<std::size_t>(text.end - at) < length) return;
        if (std::memcmp(at, stem, length) == 0) {
            const char* digits = at + length;
            const char* end = digits;
            while (end < text.end && isAsciiDigit(static_cast<unsigned char>(*end))) ++end;
            visit(digits, end);
        }
        ++at;
    }
}

}  // namespace

bool unusedBoundaryNumber(byteSpan message, const char* stem, std::size_t& number) {
    const std::size_t length = std::strlen(stem);
    std::size_t occurrences = 0;
    forEachStem(message, stem, length, [&](const char*, const char*) { ++occurrences; });
    number = 0;
    if (occurrences == 0) return true;
    // The stem and its digits hold the number of each of their leading runs
    // ("12" holds 1 and 12; "07" only 0, as no number is written "07"): one
    // number of each length at most, so fewer numbers than `limit` are held
    // and one of those up to it is free.
    constexpr std::size_t mostDigits = std::numeric_limits<std::size_t>::digits10 + 1;
    const std::size_t limit = occurrences * mostDigits;
    std::unique_ptr<unsigned char[]> held(new (std::nothrow) unsigned char[limit / 8 + 1]());
    if (held == nullptr) return false;
    forEachStem(message, stem, length, [&](const char* digits, const char* end) {
        std::size_t value = 0;
        for (const char* p = digits; p < end; ++p) {
            const auto digit = static_cast<std::size_t>(*p - '0');
            if (value > (limit - digit) / 10) break;  // beyond the limit, as every longer run is
            value = value * 10 + digit;
            held[value / 8] = static_cast<unsigned char>(held[value / 8] | 1u << (value % 8));
            if (value == 0) break;
        }
    });
    while ((held[number / 8] >> (number % 8)) & 1u) ++number;
    return true;
}

}  // namespace postsift::mime
