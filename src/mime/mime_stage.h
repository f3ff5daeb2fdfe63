#pragma once
#include <cstddef>

#include "mime/text_buffer.h"

namespace postsift::mime {

// What the caller tells the stage.
struct stageOptions {
    // The line that announces a part left out, its first "%s" standing for
    // the part's file name (nothing else in it is a format). Null or empty:
    // parts are left out without a word.
    const char* attachmentPhrase = nullptr;
    // Forwarded messages (message/rfc822 parts) are to be read as messages
    // of their own: each is written as a part of plain text holding a
    // "---------- Forwarded message ---------" line, the message's header
    // fields and its text, not as an earlier message's section.
    bool readForwardedMessages = false;
    // The messages of a multipart/digest are written where they stand, one
    // after the other as a plain-text digest lays them out: each under a
    // line of dashes, its header fields, then its text. The reading pass
    // then reads them one by one; a forwarded section would take every later
    // message with it.
    bool readDigests = false;
    // Text sent as format=flowed is joined at its soft line breaks, so that
    // a paragraph reaches the reader as one line.
    bool unwrapFlowed = false;
};

// What the stage found and did, for the trace.
struct stageFindings {
    unsigned encodedWords = 0;
    unsigned quotedPrintableTexts = 0;
    unsigned base64Texts = 0;
    unsigned convertedTexts = 0;  // read from a character set other than Windows-1252
    unsigned htmlTexts = 0;
    unsigned partsLeftOut = 0;
    unsigned attachmentsAnnounced = 0;
    unsigned forwardedMessages = 0;
    unsigned digestMessages = 0;  // laid out as a plain-text digest
    unsigned attachmentsLeftOut = 0;  // parts left out that were not another form of the text
};

enum class stageOutcome {
    unchanged,  // nothing to decode: the message is to be read as it is
    decoded,    // `out` holds the message to read
    failed,     // memory ran out: the message is to be read as it is
};

// The decoding stage: the `length` bytes at `text`, a message as an engine
// hands it over, become a message that says the same in Windows-1252, so
// that the e-mail scanner and everything after it read it as its writer
// meant it. Header fields, of the message and of its parts, get their
// encoded words decoded; text parts are decoded from quoted-printable or
// base64 and converted from their charset; an HTML text without a plain
// alternative (or whose plain one only says that the message is in HTML),
// and a text/plain part that is an HTML document, become plain text, and
// character references in plain text without tags their characters; a forwarded message/rfc822 part becomes a
// forwarded section (at the end of the message, since such a section runs
// to the end); parts that are not text, or are sent as attachments, lose
// their body and are announced by their file name. The message keeps its
// header fields and those of its parts, so that the configuration's rules
// for them still apply; the parts of a multipart it rewrites stand one after
// the other under one boundary of the stage's own, since the scanner knows
// only the last boundary named and drops every word that holds it. A message
// with nothing to decode is left alone: finding that out costs one pass over
// its header fields and over its plain text (and over text that declares a
// character set beyond ASCII). Holds no state between calls.
stageOutcome decodeMessage(const char* text, std::size_t length, const stageOptions& options, textBuffer& out,
                           stageFindings& findings);

}  // namespace postsift::mime
