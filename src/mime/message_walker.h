#pragma once

#include "mime/byte_span.h"
#include "mime/header_block.h"
#include "mime/mime_stage.h"
#include "mime/part_header.h"
#include "mime/text_buffer.h"

namespace postsift::mime {

// Where a part stands in its message.
enum class partRole {
    whole,              // the message itself, or a forwarded message
    member,             // a part of a multipart other than alternative
    chosenAlternative,  // the alternative that is read
    otherAlternative,   // an alternative that is not
};

// What becomes of a part.
enum class partAction {
    copy,       // text with nothing to decode: as it is
    decode,     // text to decode or convert
    html,       // HTML to read as text
    container,  // a multipart: each part in turn
    forward,    // a message/rfc822 part: a forwarded section
    leaveOut,   // no body; announced when it is an attachment with a name
    asIs,       // beyond the depth limit, or a multipart without parts: untouched
};

// Multiparts and forwarded messages nested deeper than this are left as
// they are: the walk's recursion, and its time, stay bounded whatever the
// message.
constexpr int depthLimit = 32;

// One walk over a message: first to find out whether it holds anything to
// decode, then to write the message that the scanner reads.
class messageWalker {
public:
    messageWalker(const stageOptions& options, stageFindings& findings) : options_(options), findings_(findings) {}

    bool needsDecoding(byteSpan message) { return partNeedsStage(message, partRole::whole, 0, false); }
    void write(byteSpan message, textBuffer& out);

private:
    bool partNeedsStage(byteSpan part, partRole role, int depth, bool inDigest);
    bool childrenNeedStage(const partHeader& header, byteSpan body, int depth);

    void writePart(byteSpan part, partRole role, int depth, bool inDigest, textBuffer& out);
    void writeChildren(const partHeader& header, byteSpan body, int depth, textBuffer& out);
    void writeForwardedPart(const headerBlock& block, const partHeader& header, int depth, bool addType);
    void flattenMessage(byteSpan message, int depth, textBuffer& out);
    void flattenBody(const headerBlock& block, const partHeader& header, partAction action, partRole role,
                     int depth, textBuffer& out);
    void flattenChildren(const partHeader& header, byteSpan body, int depth, textBuffer& out);
    void writeForwardedMessage(const partHeader& header, byteSpan body, int depth, const char* separator,
                               textBuffer& out);
    void writeDigestMessage(const partHeader& header, byteSpan body, int depth, textBuffer& out);
    void writeEnclosedMessage(const partHeader& header, byteSpan body, int depth, const char* separator,
                              textBuffer& out);

    // How a part's fields are written: as they are (encoded words decoded),
    // saying that its text is now plain Windows-1252 text, or naming the
    // boundary of the rewritten message instead of their own (the message's
    // own multipart) or none (one inside it).
    enum class fieldsFor { asWritten, plainText, outerContainer, innerContainer };
    void writeFields(byteSpan fields, fieldsFor purpose, bool addType, textBuffer& out);
    void writeText(const partHeader& header, byteSpan body, bool isHtml, textBuffer& out);
    void announce(const partHeader& header, bool withType, textBuffer& out);

    bool chooseDelimiter(byteSpan message);

    const stageOptions& options_;
    stageFindings& findings_;
    // Forwarded sections, written after everything else.
    textBuffer forwarded_;
    // The delimiter line ("--" boundary, line end) before each part of a
    // rewritten multipart; empty while no multipart is written.
    textBuffer delimiter_;
};

}  // namespace postsift::mime
