#include "filter/epost_sift.h"

#include <cstring>

#include "filter/language_phrases.h"
#include "filter/option_value.h"
#include "mime/envelope_line.h"
#include "mime/mime_stage.h"
#include "support/mutex_lock.h"
#include "support/reserved_names.h"
#include "support/scanner_text.h"
#include "support/trace.h"

namespace postsift {

namespace {

// The decoding stage is on unless the option is there with a value that
// does not say "true".
bool decodesMime(const epostSift& filter) {
    const filterEntry* option = reservedOption(filter, optionDecodeMime);
    return option == nullptr || option->value() == nullptr || valueSaysTrue(*option);
}

// The reading options that the decoding stage serves are on when they say
// "true".
bool isOn(const epostSift& filter, const char* option) {
    const filterEntry* entry = reservedOption(filter, option);
    return entry != nullptr && valueSaysTrue(*entry);
}

void traceFindings(const mime::stageFindings& found) {
    traceMessage(
        "epostSift::getFilteredText(): MIME decoded: %u encoded words, %u quoted-printable, %u base64, "
        "%u converted, %u HTML, %u parts left out, %u announced, %u forwarded, %u in a digest",
        found.encodedWords, found.quotedPrintableTexts, found.base64Texts, found.convertedTexts, found.htmlTexts,
        found.partsLeftOut, found.attachmentsAnnounced, found.forwardedMessages, found.digestMessages);
}

}  // namespace

int epostSift::getFilteredText(const char* text, const char** out, unsigned char force) {
    bodyStarted = 0;
    if (isActive() == 0 && force == 0) {
        filteredText.release();
        *out = text;
        return 0;
    }
    // Scanner, parser and the filter they serve are process-wide: one run at
    // a time. A lock that cannot be had does not stop the run. The decoding
    // stage keeps no state of its own, but it reads the filter's lists, as
    // the parse does, so it runs under the same lock.
    lockHolder hold(filterLock());
    // Each message starts clean: a section removed, or a boundary named, at
    // the end of the last one says nothing about this one. Under the lock,
    // since another thread's run may still be reading them.
    sectionRemoved = 0;
    mimeBoundary.release();
    forwardedParts = 0;
    digestParts = 0;
    attachmentsLeftOut = 0;
    std::size_t length = text != nullptr ? std::strlen(text) : 0;
    if (text != nullptr) {
        // A mailbox's envelope line is not part of the message, for the
        // decoding stage and the scanner alike.
        const char* message = mime::afterEnvelopeLine(text, text + length);
        length -= static_cast<std::size_t>(message - text);
        text = message;
    }
    if (text != nullptr && decodesMime(*this)) {
        mime::textBuffer decoded;
        mime::stageOptions options;
        options.attachmentPhrase = phraseOf(*this, symbolAttachment, buildLanguagePhrases().attachment);
        options.readForwardedMessages = isOn(*this, optionReadForwardedMessages);
        options.unwrapFlowed = isOn(*this, optionReadParagraphs);
        options.readDigests = isOn(*this, optionReadDigests);
        mime::stageFindings found;
        if (mime::decodeMessage(text, length, options, decoded, found) == mime::stageOutcome::decoded) {
            traceFindings(found);
            forwardedParts = found.forwardedMessages;
            digestParts = found.digestMessages;
            attachmentsLeftOut = found.attachmentsLeftOut;
            // The decoded text goes to the scanner as it is, never copied:
            // with room for the bytes that end the scanner's buffer.
            const std::size_t decodedLength = decoded.size();
            if (char* handed = decoded.release(scannerEndBytes)) {
                *out = parseOwnedEmailText(handed, decodedLength);
                return 0;
            }
            *out = parseEmailText(decoded.text(), decodedLength);
            return 0;
        }
    }
    *out = parseEmailText(text, length);
    return 0;
}

int epostSift::deleteFilter() {
    delete this;
    return 0;
}

void epostSift::loadBuiltInConfiguration() {}

epostSift::~epostSift() {
    filteredText.release();
    headerItemText.release();
    while (filterList != nullptr) {
        filterEntry* next = filterList->next();
        traceMessage("epostSift::~epostSift(): deleting key '%s'", printable(filterList->key()));
        delete filterList;
        filterList = next;
    }
    destroyEntries(symbolTable);
    symbolTable = nullptr;
}

}  // namespace postsift
