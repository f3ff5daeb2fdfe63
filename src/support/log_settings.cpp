#include "support/log_settings.h"

#include <climits>
#include <cstring>
#include <new>

#include "support/ascii.h"

namespace postsift {

bool logComponentList::levelOf(const char* name, int& level) const {
    if (name == nullptr) return false;
    for (const component* entry = first_; entry != nullptr; entry = entry->next) {
        if (std::strcmp(entry->name.get(), name) == 0) {
            level = entry->level;
            return true;
        }
    }
    return false;
}

bool logComponentList::set(const char* name, std::size_t length, int level) {
    for (component* entry = first_; entry != nullptr; entry = entry->next) {
        if (entry->name.length() == length && std::memcmp(entry->name.get(), name, length) == 0) {
            entry->level = level;
            return true;
        }
    }
    component* added = new (std::nothrow) component{};
    if (added == nullptr) return false;
    if (!added->name.assign(name, length)) {
        delete added;
        return false;
    }
    added->level = level;
    added->next = first_;
    first_ = added;
    return true;
}

std::size_t logComponentList::size() const {
    std::size_t count = 0;
    for (const component* entry = first_; entry != nullptr; entry = entry->next) ++count;
    return count;
}

void logComponentList::clear() {
    while (first_ != nullptr) {
        component* next = first_->next;
        delete first_;
        first_ = next;
    }
}

int parseLogLevel(const char* text, int fallback) {
    const unsigned char* at = reinterpret_cast<const unsigned char*>(text);
    while (isAsciiSpace(*at)) ++at;
    const bool negative = *at == '-';
    if (*at == '-' || *at == '+') ++at;
    if (!isAsciiDigit(*at)) return fallback;
    long long value = 0;
    for (; isAsciiDigit(*at); ++at) {
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (*at - '0');
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

unsigned parseLogFilter(const char* text) {
    unsigned columns = 0;
    for (const unsigned char* at = reinterpret_cast<const unsigned char*>(text); *at != '\0'; ++at) {
        switch (asciiLower(*at)) {
        case 'd': columns |= columnDateTime; break;
        case 'p': columns |= columnProcessId; break;
        case 't': columns |= columnThreadId; break;
        case 'c': columns |= columnComponent; break;
        case 'f': columns |= columnFunction; break;
        case 'i': columns |= columnSourceFile; break;
        case 'l': columns |= columnLine; break;
        default: break;
        }
    }
    return columns;
}

void parseLogComponents(const char* text, logComponentList& components, int& maxLevel) {
    const unsigned char* at = reinterpret_cast<const unsigned char*>(text);
    for (;;) {
        while (isAsciiSpace(*at)) ++at;
        const unsigned char* name = at;
        while (isAsciiLetter(*at)) ++at;
        const std::size_t nameLength = static_cast<std::size_t>(at - name);
        while (isAsciiSpace(*at)) ++at;
        if (*at != ':') return;
        ++at;
        const unsigned char* digits = at;
        while (isAsciiDigit(*at)) ++at;
        const std::size_t digitCount = static_cast<std::size_t>(at - digits);
        if (digitCount < 1 || digitCount > 9) return;
        int level = 0;
        for (std::size_t i = 0; i < digitCount; ++i) level = level * 10 + (digits[i] - '0');
        if (!components.set(reinterpret_cast<const char*>(name), nameLength, level)) return;
        if (level > maxLevel) maxLevel = level;
        while (isAsciiSpace(*at)) ++at;
        if (*at != ',') return;
        ++at;
    }
}

bool buildColumnHeader(unsigned columns, ownedText& header) {
    // Cells as wide as the fields below them, where the fields have a width.
    struct cell {
        unsigned column;
        const char* text;
    };
    static const cell cells[] = {
        {columnDateTime, "------ Date-Time-----|"}, {columnComponent, "Com|"},
        {columnProcessId, "-PID-|"},                {columnThreadId, "-Thd-|"},
        {columnFunction, "-Function-|"},            {columnSourceFile, "-FileName-|"},
        {columnLine, "-Line#-|"},
    };
    if (!header.assign("S|")) return false;
    for (const cell& each : cells)
        if ((columns & each.column) != 0 && !header.append(each.text)) return false;
    return header.append("-Message--->\n");
}

}  // namespace postsift
