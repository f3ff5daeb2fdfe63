#include "reading/rules/initials_quote.h"

#include <cstring>

#include "support/ascii.h"

namespace postsift {

namespace {

const std::size_t longestInitials = 3;

// Where the initials of the line begin and its first '>' stands; null when
// it begins otherwise.
const char* initialsOf(const messageLine& line, const char*& letters) {
    if (line.depth != 0) return nullptr;
    letters = skipBlanks(line.begin, line.end);
    const char* p = letters;
    while (p < line.end && isAsciiLetter(static_cast<unsigned char>(*p))) ++p;
    const std::size_t count = static_cast<std::size_t>(p - letters);
    if (count == 0 || count > longestInitials || p == line.end || *p != '>') return nullptr;
    return p;
}

bool sameInitials(const char* letters, const char* gt, const char* run) {
    const std::size_t count = static_cast<std::size_t>(gt - letters);
    return std::strlen(run) == count && std::memcmp(letters, run, count) == 0;
}

}  // namespace

bool initialsQuote::beginsRun(const messageLine& line, const char* textEnd) {
    const char* letters = nullptr;
    const char* gt = initialsOf(line, letters);
    if (gt == nullptr || line.isLast(textEnd)) return false;
    const messageLine next = lineAt(line.next, textEnd);
    const char* nextLetters = nullptr;
    const char* nextGt = initialsOf(next, nextLetters);
    return nextGt != nullptr && nextGt - nextLetters == gt - letters &&
           std::memcmp(nextLetters, letters, static_cast<std::size_t>(gt - letters)) == 0;
}

messageLine initialsQuote::read(const messageLine& line, const char* textEnd) {
    const char* letters = nullptr;
    const char* gt = initialsOf(line, letters);
    if (gt == nullptr) {
        run_[0] = '\0';
        return line;
    }
    if (!sameInitials(letters, gt, run_)) {
        // A run begins only where the next line has the same initials.
        run_[0] = '\0';
        if (!beginsRun(line, textEnd)) return line;
        std::memcpy(run_, letters, static_cast<std::size_t>(gt - letters));
        run_[gt - letters] = '\0';
    }
    return lineAt(gt, textEnd);
}

}  // namespace postsift
