#include "email/parse_driver.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "email/email_scanner.h"
#include "email/reading_pass.h"
#include "filter/epost_sift.h"
#include "support/trace.h"

namespace postsift {

epostSift* currentFilter = nullptr;

void reportParseError(const char* message) { traceMessage("parser error! %s", printable(message)); }

namespace {

struct freeText {
    void operator()(char* text) const { std::free(text); }
};

// The scanner must never read past the copy: the input ends at the caller's
// length or at the text's NUL, whichever comes first.
std::size_t inputLength(const char* text, std::size_t length) {
    const void* end = std::memchr(text, '\0', length);
    return end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : length;
}

// Forgets the input once the parse is over, however it ends.
struct scannerInput {
    scannerInput(const char* text, std::size_t length) {
        emailInputText = text;
        emailInputPos = 0;
        emailInputLength = length;
        resetEmailScanner();
    }
    ~scannerInput() {
        emailInputText = nullptr;
        emailInputPos = 0;
        emailInputLength = 0;
    }
    scannerInput(const scannerInput&) = delete;
    scannerInput& operator=(const scannerInput&) = delete;
};

}  // namespace

char* epostSift::parseEmailText(const char* text, std::size_t length) {
    if (text == nullptr) {
        filteredText.release();
        return nullptr;
    }
    const std::size_t size = inputLength(text, length);
    // The scanner writes NULs into its own buffer, never into the caller's
    // text; the copy is what it reads from.
    std::unique_ptr<char, freeText> copy(static_cast<char*>(std::malloc(size + 1)));
    filteredText.release();
    if (copy == nullptr) return nullptr;
    std::memcpy(copy.get(), text, size);
    copy.get()[size] = '\0';

    // The text of an item cut off at the end of the last message belongs to
    // that message, not to this one.
    headerItemText.release();

    // With a reading option on, the scanner reads the message as rewritten
    // for reading aloud; otherwise, and when that fails, the copy itself.
    ownedText rewritten;
    const bool isRewritten = rewriteForReading(*this, copy.get(), size, rewritten);
    // The scanner reads one of the two; the other is not held meanwhile.
    if (isRewritten) copy.reset();
    scannerInput input(isRewritten ? rewritten.get() : copy.get(), isRewritten ? rewritten.length() : size);
    currentFilter = this;
    parseEmail();
    return filteredText.data();
}

}  // namespace postsift
