#pragma once
#include <string>

#include "mime/mime_stage.h"
#include "mime/text_buffer.h"

namespace postsift::mime {

inline std::string textOf(const textBuffer& buffer) {
    return std::string(buffer.bytes().begin, buffer.size());
}

inline byteSpan spanOf(const std::string& text) { return byteSpan(text.data(), text.data() + text.size()); }

// What the stage makes of a message: the message to read, and whether it
// was changed at all.
struct stageRun {
    std::string text;
    bool changed = false;
    stageFindings found;
};

inline stageRun runStage(const std::string& message, const char* phrase = "Attachment %s.",
                         bool readForwardedMessages = false) {
    stageRun run;
    textBuffer out;
    stageOptions options;
    options.attachmentPhrase = phrase;
    options.readForwardedMessages = readForwardedMessages;
    const stageOutcome outcome = decodeMessage(message.data(), message.size(), options, out, run.found);
    run.changed = outcome == stageOutcome::decoded;
    run.text = run.changed ? textOf(out) : message;
    return run;
}

}  // namespace postsift::mime
