#include "mime/message_walker.h"

#include <cstddef>

#include "mime/attachment_line.h"
#include "mime/boundary_number.h"
#include "mime/character_writer.h"
#include "mime/charset_reading.h"
#include "mime/encoded_words.h"
#include "mime/flowed_text.h"
#include "mime/header_parameters.h"
#include "mime/html_placeholder.h"
#include "mime/html_shape.h"
#include "mime/html_text.h"
#include "mime/multipart_body.h"
#include "mime/plain_references.h"
#include "mime/transfer_decoding.h"
#include "support/reserved_names.h"

namespace postsift::mime {

namespace {

constexpr char plainTextType[] = ": text/plain; charset=windows-1252\n";
constexpr char typeField[] = "Content-Type: text/plain; charset=windows-1252\n";
constexpr char forwardSeparatorLine[] = "---------- Forwarded message ---------";
// The line of dashes that a plain-text digest writes between its messages.
constexpr char digestSeparatorLine[] = "------------------------------";
constexpr char boundaryStem[] = "postsift-part-";

bool isText(mediaKind kind) {
    return kind == mediaKind::plainText || kind == mediaKind::html || kind == mediaKind::otherText;
}

bool isMultipart(mediaKind kind) { return kind == mediaKind::alternative || kind == mediaKind::multipart; }

// How a text sent as plain text is read, told from its characters.
enum class plainShape {
    plain,
    htmlDocument,    // an HTML document: read as HTML
    withReferences,  // character references and no tags: the references read as characters
};

plainShape shapeOf(byteSpan text) {
    if (isHtmlDocument(text)) return plainShape::htmlDocument;
    if (readsReferences(text)) return plainShape::withReferences;
    return plainShape::plain;
}

bool textNeedsDecoding(const partHeader& header, byteSpan body, bool unwrapFlowed) {
    if (header.transfer != transferKind::identity || (header.flowed && unwrapFlowed)) return true;
    if (readingConverts(chooseReading(header.charset, body), body)) return true;
    // Text that is read as it is: its bytes are its characters.
    return header.kind == mediaKind::plainText && shapeOf(body) != plainShape::plain;
}

// Appends the bytes that a body sent with that transfer encoding stands for.
void transferDecode(transferKind transfer, byteSpan body, textBuffer& decoded) {
    if (transfer == transferKind::base64)
        decodeBase64(body, decoded);
    else if (transfer == transferKind::quotedPrintable)
        decodeQuotedPrintable(body, decoded);
}

// Appends the characters of a text part's body, in Windows-1252, to
// `text`; answers how they were read.
charsetReading::kind readTextBody(const partHeader& header, byteSpan body, textBuffer& text) {
    textBuffer decoded;
    if (header.transfer != transferKind::identity) {
        // Decoding never makes the bytes more than they were sent as.
        decoded.reserve(body.size());
        transferDecode(header.transfer, body, decoded);
        body = decoded.bytes();
    }
    if (decoded.failed()) text.fail();
    const charsetReading reading = chooseReading(header.charset, body);
    text.reserve(text.size() + body.size());
    characterWriter writer(text, characterWriter::target::body);
    readText(reading, body, writer);
    return reading.how;
}

// A plain alternative that only stands in for the HTML one beside it. Only
// a small part is read to find out: a placeholder is a few lines.
bool isPlaceholderPart(const partHeader& header, byteSpan body) {
    if (body.size() > placeholderBytesLimit) return false;
    textBuffer text;
    readTextBody(header, body, text);
    return !text.failed() && isHtmlPlaceholder(text.bytes());
}

bool fieldsNeedDecoding(byteSpan fields) {
    headerField field;
    while (nextField(fields, field))
        if (!field.name.empty() && headerValueNeedsDecoding(field.value)) return true;
    return false;
}

// A media type as the section rules read it: types are case-blind, and the
// stage hands them on in lower case ("TEXT/PLAIN" as "text/plain").
void putMediaType(byteSpan type, textBuffer& out) {
    for (const char* p = type.begin; p < type.end; ++p)
        out.put(static_cast<char>(asciiLower(static_cast<unsigned char>(*p))));
}

bool hasCapital(byteSpan text) {
    for (const char* p = text.begin; p < text.end; ++p)
        if (*p >= 'A' && *p <= 'Z') return true;
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
// first HTML text, else the first multipart; -1 when none is fit, or when
// the multipart is no alternative. A plain text that only says that the
// message is in HTML gives way to the HTML, or to a multipart that holds it.
int chosenAlternative(const partHeader& parent, byteSpan body) {
    if (parent.kind != mediaKind::alternative) return -1;
    multipartBody parts(body, parent.boundary);
    int plain = -1;
    int html = -1;
    int multipart = -1;
    partHeader plainHeader;
    byteSpan plainBody;
    byteSpan part;
    for (int index = 0; parts.nextPart(part); ++index) {
        const headerBlock block = splitHeaderBlock(part);
        const partHeader header = readPartHeader(block.fields, false);
        if (header.attachment) continue;
        if (header.kind == mediaKind::plainText && plain < 0) {
            plain = index;
            plainHeader = header;
            plainBody = block.body;
        }
        if (header.kind == mediaKind::html && html < 0) html = index;
        if (isMultipart(header.kind) && multipart < 0) multipart = index;
    }
    const int other = html >= 0 ? html : multipart;
    if (plain >= 0 && (other < 0 || !isPlaceholderPart(plainHeader, plainBody))) return plain;
    return other;
}

partRole roleOf(const partHeader& parent, int chosen, int index) {
    if (parent.kind != mediaKind::alternative) return partRole::member;
    return index == chosen ? partRole::chosenAlternative : partRole::otherAlternative;
}

partAction planFor(const partHeader& header, partRole role, int depth, byteSpan body, bool unwrapFlowed) {
    if (role == partRole::otherAlternative) return partAction::leaveOut;
    if (isMultipart(header.kind)) {
        if (depth >= depthLimit || !multipartBody(body, header.boundary).hasParts()) return partAction::asIs;
        return partAction::container;
    }
    if (header.kind == mediaKind::message) return depth >= depthLimit ? partAction::asIs : partAction::forward;
    if (header.attachment || !isText(header.kind)) return partAction::leaveOut;
    if (header.kind == mediaKind::html) return partAction::html;
    return textNeedsDecoding(header, body, unwrapFlowed) ? partAction::decode : partAction::copy;
}

}  // namespace

// Finding out.

bool messageWalker::partNeedsStage(byteSpan part, partRole role, int depth, bool inDigest) {
    // An alternative that is not read is left out, so that not a word of it
    // reaches the scanner, whatever its section rules say.
    if (role == partRole::otherAlternative) return true;
    const headerBlock block = splitHeaderBlock(part);
    const partHeader header = readPartHeader(block.fields, inDigest);
    const partAction action = planFor(header, role, depth, block.body, options_.unwrapFlowed);
    if (action == partAction::asIs) return false;
    if (fieldsNeedDecoding(block.fields)) return true;
    if (action == partAction::copy) return false;
    if (action == partAction::container) return childrenNeedStage(header, block.body, depth);
    return true;
}

bool messageWalker::childrenNeedStage(const partHeader& header, byteSpan body, int depth) {
    const int chosen = chosenAlternative(header, body);
    multipartBody parts(body, header.boundary);
    byteSpan part;
    for (int index = 0; parts.nextPart(part); ++index)
        if (partNeedsStage(part, roleOf(header, chosen, index), depth + 1, header.digest)) return true;
    return false;
}

// Writing.

// The parts of a rewritten multipart stand one after the other under one
// boundary of the stage's own, whatever their nesting was: the scanner
// knows only the last boundary named, so the delimiters of an outer part
// after an inner multipart would be read aloud, and it drops every word that
// holds the boundary, so a short one ("p") would silence ordinary words. It
// is made of letters, digits and '-' only, which the scanner keeps in one
// word, and holds no text of the message. False when memory ran out.
bool messageWalker::chooseDelimiter(byteSpan message) {
    std::size_t number = 0;
    if (!unusedBoundaryNumber(message, boundaryStem, number)) return false;
    char digits[24];
    char* first = digits + sizeof digits;
    do {
        *--first = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    delimiter_.put("--");
    delimiter_.put(boundaryStem);
    delimiter_.put(first, static_cast<std::size_t>(digits + sizeof digits - first));
    delimiter_.put('\n');
    return !delimiter_.failed();
}

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
    if (role == partRole::otherAlternative) {
        ++findings_.partsLeftOut;
        return;
    }
    const headerBlock block = splitHeaderBlock(part);
    const partHeader header = readPartHeader(block.fields, inDigest);
    const partAction action = planFor(header, role, depth, block.body, options_.unwrapFlowed);
    // A part of a multipart that is read says that it is text: the section
    // rules then keep it even after a part that they left out.
    const bool read = action == partAction::copy || action == partAction::decode || action == partAction::html;
    const bool addType = depth > 0 && !header.hasContentType;
    if (action == partAction::forward && inDigest && options_.readDigests) {
        writeDigestMessage(header, block.body, depth, out);
        return;
    }
    if (action == partAction::forward) {
        writeForwardedPart(block, header, depth, addType);
        return;
    }
    if (depth > 0) {
        ensureLineEnd(out);
        out.put(delimiter_.bytes());
    }
    if (action == partAction::asIs) {
        out.put(part);
        return;
    }
    fieldsFor purpose = fieldsFor::asWritten;
    if (action == partAction::decode || action == partAction::html) purpose = fieldsFor::plainText;
    if (action == partAction::container) {
        // Only the message's own multipart rewrites parts: one inside it is
        // written under the delimiter chosen there.
        if (depth == 0 && !chooseDelimiter(part)) {
            out.fail();
            return;
        }
        purpose = depth == 0 ? fieldsFor::outerContainer : fieldsFor::innerContainer;
    }
    writeFields(block.fields, purpose, read && addType, out);
    writeBlankLine(block, out);
    switch (action) {
        case partAction::copy: out.put(block.body); break;
        case partAction::decode: writeText(header, block.body, false, out); break;
        case partAction::html: writeText(header, block.body, true, out); break;
        case partAction::container: writeChildren(header, block.body, depth, out); break;
        case partAction::leaveOut:
            ++findings_.partsLeftOut;
            ++findings_.attachmentsLeftOut;
            announce(header, true, out);
            break;
        case partAction::forward:
        case partAction::asIs: break;
    }
}

void messageWalker::writeChildren(const partHeader& header, byteSpan body, int depth, textBuffer& out) {
    const int chosen = chosenAlternative(header, body);
    multipartBody parts(body, header.boundary);
    byteSpan part;
    for (int index = 0; parts.nextPart(part); ++index)
        writePart(part, roleOf(header, chosen, index), depth + 1, header.digest, out);
}

// A forwarded message as the scanner knows one: its part's fields, an
// "Original Message" line, then the message's fields and its text. All of
// it waits until the rest of the message is written, since the scanner
// reads everything after such a line as part of the forwarded section.
void messageWalker::writeForwardedPart(const headerBlock& block, const partHeader& header, int depth, bool addType) {
    ensureLineEnd(forwarded_);
    forwarded_.put(delimiter_.bytes());
    if (options_.readForwardedMessages) {
        // A part of plain text, whatever its own fields say ("attachment"),
        // so that the section rules keep it.
        forwarded_.put(typeField);
        forwarded_.put('\n');
        writeForwardedMessage(header, block.body, depth, forwardSeparatorLine, forwarded_);
        return;
    }
    writeFields(block.fields, fieldsFor::plainText, addType, forwarded_);
    writeBlankLine(block, forwarded_);
    writeForwardedMessage(header, block.body, depth, originalMessageSeparator, forwarded_);
}

// A message of a digest, where it stands: a part of plain text that lays it
// out as a plain-text digest does, so that the reading pass finds each
// message of either kind of digest in the same shape.
void messageWalker::writeDigestMessage(const partHeader& header, byteSpan body, int depth, textBuffer& out) {
    ++findings_.digestMessages;
    ensureLineEnd(out);
    out.put(delimiter_.bytes());
    out.put(typeField);
    out.put('\n');
    writeEnclosedMessage(header, body, depth, digestSeparatorLine, out);
}

void messageWalker::writeForwardedMessage(const partHeader& header, byteSpan body, int depth, const char* separator,
                                          textBuffer& out) {
    ++findings_.forwardedMessages;
    writeEnclosedMessage(header, body, depth, separator, out);
}

// A message/rfc822 part's message under a separator line: its fields and
// the text of each of its parts.
void messageWalker::writeEnclosedMessage(const partHeader& header, byteSpan body, int depth, const char* separator,
                                         textBuffer& out) {
    out.put(separator);
    out.put("\n");
    textBuffer decoded;
    if (header.transfer != transferKind::identity) {
        // Decoded bytes may hold NULs, which would end the scanner's text
        // there; the rest of the forwarded message goes on to be read as it is.
        transferDecode(header.transfer, body, decoded);
        decoded.removeAll('\0');
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
    const partAction action = planFor(header, partRole::whole, depth, block.body, options_.unwrapFlowed);
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
            writeForwardedMessage(header, block.body, depth, originalMessageSeparator, out);
            break;
        case partAction::leaveOut:
            ++findings_.partsLeftOut;
            if (role != partRole::otherAlternative) {
                ++findings_.attachmentsLeftOut;
                announce(header, false, out);
            }
            break;
    }
}

void messageWalker::flattenChildren(const partHeader& header, byteSpan body, int depth, textBuffer& out) {
    const int chosen = chosenAlternative(header, body);
    multipartBody parts(body, header.boundary);
    byteSpan part;
    for (int index = 0; parts.nextPart(part); ++index) {
        const headerBlock block = splitHeaderBlock(part);
        const partHeader inner = readPartHeader(block.fields, header.digest);
        const partRole role = roleOf(header, chosen, index);
        const partAction action = planFor(inner, role, depth + 1, block.body, options_.unwrapFlowed);
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
            if (purpose == fieldsFor::outerContainer || purpose == fieldsFor::innerContainer) {
                out.put(field.name);
                out.put(": ");
                putMediaType(leadingToken(field.value), out);
                if (purpose == fieldsFor::outerContainer) {
                    const byteSpan delimiter = delimiter_.bytes();
                    out.put("; boundary=\"");
                    out.put(delimiter.begin + 2, delimiter.size() - 3);
                    out.put('"');
                }
                out.put('\n');
                continue;
            }
            const byteSpan type = leadingToken(field.value);
            if (hasCapital(type)) {
                out.put(byteSpan(field.whole.begin, type.begin));
                putMediaType(type, out);
                out.put(byteSpan(type.end, field.whole.end));
                ensureLineEnd(out);
                continue;
            }
        } else if (asPlainText && sameName(field.name, "content-transfer-encoding")) {
            out.put(field.name);
            out.put(": 8bit\n");
            continue;
        }
        // A line without a name (a '>' line among the fields) goes as it is.
        if (!field.name.empty() && headerValueNeedsDecoding(field.value)) {
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
    // The characters are read into a text of their own first: HTML is
    // scanned from there, and plain text is looked at as a whole before it
    // is written. The transfer-decoded bytes are gone by then, so that no
    // more than one copy of the part is held beside the output.
    textBuffer aside;
    if (header.transfer == transferKind::base64)
        ++findings_.base64Texts;
    else if (header.transfer == transferKind::quotedPrintable)
        ++findings_.quotedPrintableTexts;
    if (readTextBody(header, body, aside) != charsetReading::kind::windows1252) ++findings_.convertedTexts;
    if (aside.failed()) out.fail();
    const bool plainText = !isHtml && header.kind == mediaKind::plainText;
    const plainShape shape = plainText ? shapeOf(aside.bytes()) : plainShape::plain;
    if (isHtml || shape == plainShape::htmlDocument) {
        ++findings_.htmlTexts;
        htmlToText(aside, out);
        if (aside.failed()) out.fail();
        return;
    }
    textBuffer referencesRead;
    byteSpan text = aside.bytes();
    if (shape == plainShape::withReferences) {
        writeWithReferences(text, referencesRead);
        if (referencesRead.failed()) out.fail();
        text = referencesRead.bytes();
    }
    // Room for the part at once (unwrapping adds a few quote marks and line
    // ends at most).
    out.reserve(out.size() + text.size() + text.size() / 32 + 64);
    if (header.flowed && options_.unwrapFlowed)
        unwrapFlowedText(text, header.deleteSpace, out);
    else
        out.put(text);
}

void messageWalker::announce(const partHeader& header, bool withType, textBuffer& out) {
    const char* phrase = options_.attachmentPhrase;
    if (phrase == nullptr || *phrase == '\0') return;
    textBuffer name;
    if (!attachmentName(header, name)) return;
    ++findings_.attachmentsAnnounced;
    // A part of its own, said to be plain text, so that the section rules
    // keep it.
    if (withType) {
        ensureLineEnd(out);
        out.put(delimiter_.bytes());
        out.put(typeField);
        out.put('\n');
    }
    writeAnnouncement(phrase, name.bytes(), out);
    if (name.failed()) out.fail();
}

}  // namespace postsift::mime
