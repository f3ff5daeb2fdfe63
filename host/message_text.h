#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace postsift::host {

// A header field as written, its folded lines joined.
struct headerField {
    std::string name;
    std::string value;
};

// A part of a message that a reader would read as its text.
struct textPart {
    bool html = false;               // an HTML part, its tags stripped
    std::vector<std::string> lines;  // decoded, without line ends
};

// What a message says in its own words, found with light work by the host,
// which never borrows the plug-in's reading of it: the header fields, and
// the lines of its text parts with their transfer encoding undone.
struct messageText {
    std::vector<headerField> header;
    std::vector<textPart> parts;
};

// Reads a raw message. Parts that are not text, attachments and attached
// messages are left out: whether they are read is the configuration's
// choice, not text the writer typed. An HTML part counts only when the
// message has no plain text part, since mail programs send HTML beside the
// same text in plain, which is what gets read.
messageText readMessageText(std::string_view raw);

// The value of the first field of that name (any case), or empty.
std::string headerValue(const std::vector<headerField>& header, std::string_view name);
bool hasHeaderField(const std::vector<headerField>& header, std::string_view name);

// Transfer encodings, on their own so that the report and the figures can
// share them.
std::string decodeQuotedPrintable(std::string_view text);
std::string decodeBase64(std::string_view text);

}  // namespace postsift::host
