#include "mime/message_walker.h"

#include "mime/attachment_line.h"
#include "mime/character_writer.h"
#include "mime/charset_reading.h"
#include "mime/encoded_words.h"
#include "mime/header_parameters.h"
#include "mime/html_text.h"
#include "mime/multipart_body.h"
#include "mime/transfer_decoding.h"

namespace postsift::mime {

namespace {

constexpr char plainTextType[] = ": text/plain; charset=windows-1252\n";
constexpr char typeField[] = "Content-Type: text/plain; charset=windows-1252\n";
constexpr char separatorLine[] = "-----Original Message-----\n";

bool isText(mediaKind kind) {
    return kind == mediaKind::plainText || kind == mediaKind::html || kind == mediaKind::otherText;
}

bool isMultipart(mediaKind kind) { return kind == mediaKind::alternative || kind == mediaKind::multipart; }

bool textNeedsDecoding(const partHeader& header, byteSpan body) {
    if (header.transfer != transferKind::identity) return true;
    return readingConverts(chooseReading(header.charset, body), body);
}

bool fieldsNeedDecoding(byteSpan fields) {
    headerField field;
    while (nextField(fields, field))
        if (headerValueNeedsDecoding(field.value)) return true;
    return false;
}

void ensureLineEnd(textBuffer& out) {
    if (!out.empty() && out.back() != '\n') out.put('\n');
}

// The empty line after the fields: the message's own, or one where the
// fields end without it, so that the body can never be read as their
// continuation.
void writeBlankLine(const headerBlock& block, textBuffer& out) {
    if (!block.blankLine.empty())
        out.put(block.blankLine);
    else if (!block.fields.empty())
        out.put('\n');
}

// Which part of an alternative is read: the first plain text, else the
// first HTML text, else the first multipart; -1 when none is fit.
int chosenAlternative(byteSpan body, byteSpan boundary) {
    multipartBody parts(body, boundary);
    int html = -1;
    int multipart = -1;
    byteSpan part;
    for (int index = 0; parts.nextPart(part); ++index) {
        const partHeader header = readPartHeader(splitHeaderBlock(part).fields, false);
        if (header.attachment) continue;
        if (header.kind == mediaKind::plainText) return index;
        if (header.kind == mediaKind::html && html < 0) html = index;
        if (isMultipart(header.kind) && multipart < 0) multipart = index;
    }
    return html >= 0 ? html : multipart;
}

partRole roleOf(const partHeader& parent, int chosen, int index) {
    if (parent.kind != mediaKind::alternative) return partRole::member;
    return index == chosen ? partRole::chosenAlternative : partRole::otherAlternative;
}

}  // namespace

partAction planFor(const partHeader& header, partRole role, int depth, byteSpan body) {
    if (role == partRole::otherAlternative) return partAction::leaveOut;
    if (isMultipart(header.kind)) {
        if (depth >= depthLimit || !multipartBody(body, header.boundary).hasParts()) return partAction::asIs;
        return partAction::container;
    }
    if (header.kind == mediaKind::message) return depth >= depthLimit ? partAction::asIs : partAction::forward;
    if (header.attachment || !isText(header.kind)) return partAction::leaveOut;
    if (header.kind == mediaKind::html) return partAction::html;
    return textNeedsDecoding(header, body) ? partAction::decode : partAction::copy;
}

// Finding out.

bool messageWalker::partNeedsStage(byteSpan part, partRole role, int depth, bool inDigest) {
    const headerBlock block = splitHeaderBlock(part);
    const partHeader header = readPartHeader(block.fields, inDigest);
    if (role == partRole::otherAlternative) return leftOutNeedsStage(block, header, depth);
    const partAction action = planFor(header, role, depth, block.body);
    if (action == partAction::asIs) return false;
    if (fieldsNeedDecoding(block.fields)) return true;
    if (action == partAction::copy) return false;
    if (action == partAction::container) return childrenNeedStage(header, block.body, depth);
    return true;
}

bool messageWalker::childrenNeedStage(const partHeader& header, byteSpan body, int depth) {
    const int chosen = header.kind == mediaKind::alternative ? chosenAlternative(body, header.boundary) : -1;
    multipartBody parts(body, header.boundary);
    byteSpan part;
    for (int index = 0; parts.nextPart(part); ++index)
        if (partNeedsStage(part, roleOf(header, chosen, index), depth + 1, header.digest)) return true;
    return false;
}

// An alternative that is not read changes the message only when it holds
// what a message with nothing to decode does not: encoded words, encoded or
// converted text, parts that are not text.
bool messageWalker::leftOutNeedsStage(const headerBlock& block, const partHeader& header, int depth) {
    if (fieldsNeedDecoding(block.fields)) return true;
    if (isText(header.kind)) return textNeedsDecoding(header, block.body);
    if (!isMultipart(header.kind)) return true;
    if (depth >= depthLimit) return false;
    multipartBody parts(block.body, header.boundary);
    byteSpan part;
    while (parts.nextPart(part)) {
        const headerBlock inner = splitHeaderBlock(part);
        if (leftOutNeedsStage(inner, readPartHeader(inner.fields, header.digest), depth + 1)) return true;
    }
    return false;
}

// Writing.

void messageWalker::write(byteSpan message, textBuffer& out) {
    writePart(message, partRole::whole, 0, false, out);
    if (!forwarded_.empty()) {
        ensureLineEnd(out);
        out.put(forwarded_.bytes());
    }
    // The message ends as it did: the last part's line end went with the
    // delimiter line after it.
    if (!message.empty() && message.end[-1] == '\n') ensureLineEnd(out);
    if (forwarded_.failed()) out.fail();
}

void messageWalker::writePart(byteSpan part, partRole role, int depth, bool inDigest, textBuffer& out) {
    const headerBlock block = splitHeaderBlock(part);
    const partHeader header = readPartHeader(block.fields, inDigest);
    const partAction action = planFor(header, role, depth, block.body);
    if (action == partAction::asIs) {
        out.put(part);
        return;
    }
    // A part of a multipart that is read says that it is text: the section
    // rules then keep it even after a part that they left out.
    const bool read = action == partAction::copy || action == partAction::decode || action == partAction::html;
    const bool addType = depth > 0 && !header.hasContentType;
    if (action == partAction::forward) {
        writeForwardedPart(block, header, depth, addType);
        return;
    }
    const fieldsFor purpose = action == partAction::decode || action == partAction::html ? fieldsFor::plainText
                              : action == partAction::container                          ? fieldsFor::container
                                                                                         : fieldsFor::asWritten;
    writeFields(block.fields, purpose, read && addType, out);
    writeBlankLine(block, out);
    switch (action) {
        case partAction::copy: out.put(block.body); break;
        case partAction::decode: writeText(header, block.body, false, out); break;
        case partAction::html: writeText(header, block.body, true, out); break;
        case partAction::container: writeChildren(header, block.body, depth, out); break;
        case partAction::leaveOut:
            ++findings_.partsLeftOut;
            if (role != partRole::otherAlternative) announce(header, true, out);
            break;
        case partAction::forward:
        case partAction::asIs: break;
    }
}

void messageWalker::writeChildren(const partHeader& header, byteSpan body, int depth, textBuffer& out) {
    const int chosen = header.kind == mediaKind::alternative ? chosenAlternative(body, header.boundary) : -1;
    multipartBody parts(body, header.boundary);
    byteSpan part;
    for (int index = 0; parts.nextPart(part); ++index) {
        ensureLineEnd(out);
        writePart(part, roleOf(header, chosen, index), depth + 1, header.digest, out);
    }
}

// A forwarded message as the scanner knows one: its part's fields, an
// "Original Message" line, then the message's fields and its text. All of
// it waits until the rest of the message is written, since the scanner
// reads everything after such a line as part of the forwarded section.
void messageWalker::writeForwardedPart(const headerBlock& block, const partHeader& header, int depth, bool addType) {
    ensureLineEnd(forwarded_);
    writeFields(block.fields, fieldsFor::plainText, addType, forwarded_);
    writeBlankLine(block, forwarded_);
    writeForwardedMessage(header, block.body, depth, forwarded_);
}

void messageWalker::writeForwardedMessage(const partHeader& header, byteSpan body, int depth, textBuffer& out) {
    ++findings_.forwardedMessages;
    out.put(separatorLine);
    textBuffer decoded;
    if (header.transfer == transferKind::quotedPrintable) {
        decodeQuotedPrintable(body, decoded);
        body = decoded.bytes();
    } else if (header.transfer == transferKind::base64) {
        decodeBase64(body, decoded);
        body = decoded.bytes();
    }
    flattenMessage(body, depth + 1, out);
    if (decoded.failed()) out.fail();
}

// Inside a forwarded section the scanner knows no parts: a message there is
// its fields (its Content-Type saying plain text, which its text now is)
// and the text of each of its parts in turn.
void messageWalker::flattenMessage(byteSpan message, int depth, textBuffer& out) {
    const headerBlock block = splitHeaderBlock(message);
    const partHeader header = readPartHeader(block.fields, false);
    const partAction action = planFor(header, partRole::whole, depth, block.body);
    if (action == partAction::asIs) {
        out.put(message);
        return;
    }
    writeFields(block.fields, action == partAction::copy ? fieldsFor::asWritten : fieldsFor::plainText, false, out);
    writeBlankLine(block, out);
    flattenBody(block, header, action, partRole::whole, depth, out);
}

void messageWalker::flattenBody(const headerBlock& block, const partHeader& header, partAction action,
                                partRole role, int depth, textBuffer& out) {
    switch (action) {
        case partAction::copy:
        case partAction::asIs: out.put(block.body); break;
        case partAction::decode: writeText(header, block.body, false, out); break;
        case partAction::html: writeText(header, block.body, true, out); break;
        case partAction::container: flattenChildren(header, block.body, depth, out); break;
        case partAction::forward:
            ensureLineEnd(out);
            writeForwardedMessage(header, block.body, depth, out);
            break;
        case partAction::leaveOut:
            ++findings_.partsLeftOut;
            if (role != partRole::otherAlternative) announce(header, false, out);
            break;
    }
}

void messageWalker::flattenChildren(const partHeader& header, byteSpan body, int depth, textBuffer& out) {
    const int chosen = header.kind == mediaKind::alternative ? chosenAlternative(body, header.boundary) : -1;
    multipartBody parts(body, header.boundary);
    byteSpan part;
    for (int index = 0; parts.nextPart(part); ++index) {
        const headerBlock block = splitHeaderBlock(part);
        const partHeader inner = readPartHeader(block.fields, header.digest);
        const partRole role = roleOf(header, chosen, index);
        const partAction action = planFor(inner, role, depth + 1, block.body);
        ensureLineEnd(out);
        flattenBody(block, inner, action, role, depth + 1, out);
    }
}

void messageWalker::writeFields(byteSpan fields, fieldsFor purpose, bool addType, textBuffer& out) {
    const bool asPlainText = purpose == fieldsFor::plainText;
    bool sawType = false;
    headerField field;
    while (nextField(fields, field)) {
        if (sameName(field.name, "content-type")) {
            sawType = true;
            if (asPlainText) {
                out.put(field.name);
                out.put(plainTextType);
                continue;
            }
            // The delimiter lines are gone, so the boundary goes too: the
            // scanner would drop every word that holds it ("p" is a
            // boundary too), and nothing is left for it to delimit.
            if (purpose == fieldsFor::container) {
                out.put(field.name);
                out.put(": ");
                out.put(leadingToken(field.value));
                out.put('\n');
                continue;
            }
        } else if (asPlainText && sameName(field.name, "content-transfer-encoding")) {
            out.put(field.name);
            out.put(": 8bit\n");
            continue;
        }
        if (headerValueNeedsDecoding(field.value)) {
            out.put(field.name);
            out.put(':');
            findings_.encodedWords += static_cast<unsigned>(decodeHeaderValue(field.value, out));
            out.put('\n');
            continue;
        }
        out.put(field.whole);
        ensureLineEnd(out);
    }
    if (addType && !sawType) out.put(typeField);
}

void messageWalker::writeText(const partHeader& header, byteSpan body, bool isHtml, textBuffer& out) {
    // HTML is converted into a text of its own and scanned from there; the
    // transfer-decoded bytes are gone by then, so that no more than one
    // copy of the part is held beside the output.
    textBuffer html;
    {
        textBuffer decoded;
        if (header.transfer == transferKind::quotedPrintable) {
            ++findings_.quotedPrintableTexts;
            decodeQuotedPrintable(body, decoded);
            body = decoded.bytes();
        } else if (header.transfer == transferKind::base64) {
            ++findings_.base64Texts;
            decodeBase64(body, decoded);
            body = decoded.bytes();
        }
        if (decoded.failed()) out.fail();
        const charsetReading reading = chooseReading(header.charset, body);
        if (reading.how != charsetReading::kind::windows1252) ++findings_.convertedTexts;
        characterWriter writer(isHtml ? html : out, characterWriter::target::body);
        readText(reading, body, writer);
    }
    if (isHtml) {
        ++findings_.htmlTexts;
        htmlToText(html, out);
        if (html.failed()) out.fail();
    }
}

void messageWalker::announce(const partHeader& header, bool withType, textBuffer& out) {
    const char* phrase = options_.attachmentPhrase;
    if (phrase == nullptr || *phrase == '\0') return;
    textBuffer name;
    if (!attachmentName(header, name)) return;
    ++findings_.attachmentsAnnounced;
    // Said as plain text, so that the section rules keep it.
    if (withType) {
        out.put(typeField);
        out.put('\n');
    }
    writeAnnouncement(phrase, name.bytes(), out);
    if (name.failed()) out.fail();
}

}  // namespace postsift::mime
