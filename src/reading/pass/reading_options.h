#pragma once

namespace postsift {

class epostSift;

// The options that have the message rewritten for reading before the
// scanner sees it (reading/pass/reading_pass.h). Each is on when its filter-list
// entry is present with a value that holds "true"; all are off in the
// built-in configurations.
struct readingOptions {
    bool speakLinks = false;
    bool dropSignature = false;
    bool dropSignedArmour = false;
    bool squeezeReplyMarkers = false;
    bool dropAttribution = false;
    bool findOriginalMessage = false;
    bool readForwardedMessages = false;
    bool speakDates = false;
    bool readParagraphs = false;
    bool quietSymbols = false;
    // Quoted and forwarded text is left out, as the body handling reads
    // "[INCLUDE FORWARDED TEXT]" (a missing entry or value lets it through).
    bool quotedTextLeftOut = false;

    bool any() const {
        return speakLinks || dropSignature || dropSignedArmour || squeezeReplyMarkers || dropAttribution ||
               findOriginalMessage || readForwardedMessages || speakDates || readParagraphs || quietSymbols;
    }
};

// Read once per message, before the scanner starts.
readingOptions readingOptionsOf(epostSift& filter);

}  // namespace postsift
