#include "mime/mime_stage.h"

#include "mime/message_walker.h"

namespace postsift::mime {

stageOutcome decodeMessage(const char* text, std::size_t length, const stageOptions& options, textBuffer& out,
                           stageFindings& findings) {
    if (text == nullptr) return stageOutcome::unchanged;
    const byteSpan message(text, text + length);
    messageWalker walker(options, findings);
    if (!walker.needsDecoding(message)) return stageOutcome::unchanged;
    walker.write(message, out);
    return out.failed() ? stageOutcome::failed : stageOutcome::decoded;
}

}  // namespace postsift::mime
