#include "email/original_message_separator.h"

#include <cstring>

namespace postsift {

bool isOriginalMessageSeparator(const messageLine& line) {
    static const char* const phrases[] = {"original message", "message d'origine"};
    const char* p = line.begin;
    while (p < line.end && *p == '-') ++p;
    if (p == line.begin) return false;
    for (const char* phrase : phrases) {
        if (!startsWithFolded(p, line.end, phrase)) continue;
        const char* after = p + std::strlen(phrase);
        return after < line.end && *after == '-';
    }
    return false;
}

}  // namespace postsift
