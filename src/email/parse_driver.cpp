#include "email/parse_driver.h"

#include <cstring>

#include "email/email_scanner.h"
#include "email/reading_pass.h"
#include "filter/epost_sift.h"
#include "support/trace.h"

namespace postsift {

epostSift* currentFilter = nullptr;

void reportParseError(const char* message) { traceMessage("parser error! %s", printable(message)); }

namespace {

// The scanner must never read past the text: the input ends at the caller's
// length or at the text's NUL, whichever comes first.
std::size_t inputLength(const char* text, std::size_t length) {
    const void* end = std::memchr(text, '\0', length);
    return end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : length;
}

// Hands the text to the scanner, which copies it into its own buffer (it
// writes NULs there, never into the caller's text), and forgets it once the
// parse is over, however it ends.
class scannerInput {
public:
    scannerInput(const char* text, std::size_t length) {
        emailInputText = text;
        emailInputPos = 0;
        emailInputLength = length;
        ready_ = resetEmailScanner();
    }
    ~scannerInput() {
        releaseEmailScannerInput();
        emailInputText = nullptr;
        emailInputPos = 0;
        emailInputLength = 0;
    }
    scannerInput(const scannerInput&) = delete;
    scannerInput& operator=(const scannerInput&) = delete;

    bool ready() const { return ready_; }

private:
    bool ready_ = false;
};

}  // namespace

char* epostSift::parseEmailText(const char* text, std::size_t length) {
    filteredText.release();
    if (text == nullptr) return nullptr;

    // The text of an item cut off at the end of the last message belongs to
    // that message, not to this one.
    headerItemText.release();

    // With a reading option on, the scanner reads the message as rewritten
    // for reading aloud; otherwise, and when that fails, the text itself.
    const std::size_t size = inputLength(text, length);
    ownedText rewritten;
    const bool isRewritten = rewriteForReading(*this, text, size, rewritten);
    scannerInput input(isRewritten ? rewritten.get() : text, isRewritten ? rewritten.length() : size);
    // The scanner has its own copy now: the rewritten text is not held
    // beside it while the output grows.
    rewritten.release();
    if (!input.ready()) return nullptr;
    currentFilter = this;
    parseEmail();
    return filteredText.data();
}

}  // namespace postsift
