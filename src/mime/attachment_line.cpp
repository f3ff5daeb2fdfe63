#include "mime/attachment_line.h"

#include <cstring>

#include "mime/header_parameters.h"

namespace postsift::mime {

namespace {

// What the scanner takes for the keyword of a header line: blanks, then
// characters other than blanks, line ends, '*', '>', '_' and ':', then ':'.
bool beginsLikeHeaderField(byteSpan line) {
    const char* p = line.begin;
    while (p < line.end && isBlank(*p)) ++p;
    const char* word = p;
    while (p < line.end && std::strchr(" \t\r\n*>_:", *p) == nullptr) ++p;
    return p > word && p < line.end && *p == ':';
}

}  // namespace

bool attachmentName(const partHeader& header, textBuffer& name) {
    textBuffer found;
    if (!readableParameter(header.disposition, "filename", found) &&
        !readableParameter(header.contentType, "name", found))
        return false;
    byteSpan base = found.bytes();
    for (const char* p = base.begin; p < base.end; ++p)
        if (*p == '/' || *p == '\\') base.begin = p + 1;
    base = trimmed(base);
    name.put(base);
    if (found.failed()) name.fail();
    return !base.empty();
}

void writeAnnouncement(const char* phrase, byteSpan name, textBuffer& out) {
    textBuffer line;
    const char* slot = std::strstr(phrase, "%s");
    if (slot != nullptr) {
        line.put(phrase, static_cast<std::size_t>(slot - phrase));
        line.put(name);
        line.put(slot + 2);
    } else {
        line.put(phrase);
    }
    if (beginsLikeHeaderField(line.bytes())) out.put("**");
    out.put(line.bytes());
    out.put('\n');
    if (line.failed()) out.fail();
}

}  // namespace postsift::mime
