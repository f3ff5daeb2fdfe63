#include "email/parse_driver.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include "email/email_scanner.h"
#include "reading/pass/reading_pass.h"
#include "filter/epost_sift.h"
#include "support/scanner_text.h"
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

// Hands the text to the scanner, and forgets it once the parse is over,
// however it ends. A text that is only lent the scanner copies into its own
// buffer (it writes NULs there, never into the caller's text); a text handed
// over (`adopted`, see adoptEmailScannerInput) it reads in place and frees.
class scannerInput {
public:
    scannerInput(const char* text, std::size_t length, char* adopted) {
        emailInputPos = 0;
        if (adopted != nullptr) {
            ready_ = adoptEmailScannerInput(adopted, length);
            return;
        }
        emailInputText = text;
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

struct freeBuffer {
    void operator()(char* buffer) const { std::free(buffer); }
};
using ownedBuffer = std::unique_ptr<char, freeBuffer>;

// The rewritten text's own allocation, with room for the bytes that end the
// scanner's buffer, so that the scanner reads it in place; null when memory
// ran out. (reserve counts the room for a NUL as well.)
char* handOver(ownedText& text) {
    if (!text.reserve(text.length() + scannerEndBytes - 1)) return nullptr;
    return text.take();
}

// One parse of the text, which `owned` holds when the caller handed it over
// (null when it is only lent). With a reading option on, the scanner reads
// the message as rewritten for reading aloud; otherwise, and when that
// fails, the text itself. No more than the one text the scanner reads is
// held while the output grows.
char* parse(epostSift& filter, const char* text, std::size_t length, ownedBuffer owned) {
    filter.filteredText.release();
    if (text == nullptr) return nullptr;

    // The text of an item cut off at the end of the last message belongs to
    // that message, not to this one.
    filter.headerItemText.release();

    std::size_t size = inputLength(text, length);
    ownedText rewritten;
    if (rewriteForReading(filter, text, size, rewritten)) {
        size = rewritten.length();
        owned.reset(handOver(rewritten));
        if (owned == nullptr) return nullptr;
    }
    scannerInput input(text, size, owned.release());
    if (!input.ready()) return nullptr;
    currentFilter = &filter;
    parseEmail();
    return filter.filteredText.data();
}

}  // namespace

char* epostSift::parseEmailText(const char* text, std::size_t length) {
    return parse(*this, text, length, nullptr);
}

char* epostSift::parseOwnedEmailText(char* buffer, std::size_t length) {
    ownedBuffer owned(buffer);
    return parse(*this, buffer, length, std::move(owned));
}

}  // namespace postsift
