#include "mime/header_block.h"

#include <cstring>

namespace postsift::mime {

namespace {

// The colon of a field line, or null: a name of printable ASCII, then ':'.
const char* fieldColon(const char* at, const char* end) {
    const char* p = at;
    while (p < end && *p != ':' && static_cast<unsigned char>(*p) > ' ' && static_cast<unsigned char>(*p) < 127) ++p;
    return p > at && p < end && *p == ':' ? p : nullptr;
}

bool isEmptyLine(const char* at, const char* end) {
    return at < end && (*at == '\n' || (*at == '\r' && end - at >= 2 && at[1] == '\n'));
}

// The end of the field that begins at `at`: past its last continuation line.
const char* fieldEnd(const char* at, const char* end) {
    const char* next = nextLine(at, end);
    while (next < end && isBlank(*next)) next = nextLine(next, end);
    return next;
}

// The end of a line's text, before its line end.
const char* textEnd(const char* lineBegin, const char* lineEnd) {
    const char* e = lineEnd;
    if (e > lineBegin && e[-1] == '\n') --e;
    if (e > lineBegin && e[-1] == '\r') --e;
    return e;
}

}  // namespace

const char* nextLine(const char* at, const char* end) {
    const void* lineFeed = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
    return lineFeed != nullptr ? static_cast<const char*>(lineFeed) + 1 : end;
}

headerBlock splitHeaderBlock(byteSpan part) {
    headerBlock block;
    const char* at = part.begin;
    while (at < part.end) {
        if (isEmptyLine(at, part.end)) {
            const char* after = nextLine(at, part.end);
            block.fields = byteSpan(part.begin, at);
            block.blankLine = byteSpan(at, after);
            block.body = byteSpan(after, part.end);
            return block;
        }
        // The name stops at the line end, so the line's end need not be found first.
        if (fieldColon(at, part.end) != nullptr) {
            at = fieldEnd(at, part.end);
            continue;
        }
        // Lines mangled with a '>' on their way (">From ...") among the
        // fields belong to them when more fields follow.
        if (*at != '>' || at == part.begin) break;
        const char* after = at;
        while (after < part.end && *after == '>') after = fieldEnd(after, part.end);
        if (after == part.end || fieldColon(after, part.end) == nullptr) break;
        at = after;
    }
    block.fields = byteSpan(part.begin, at);
    block.body = byteSpan(at, part.end);
    return block;
}

bool nextField(byteSpan& fields, headerField& field) {
    if (fields.empty()) return false;
    const char* end = fieldEnd(fields.begin, fields.end);
    const char* colon = fieldColon(fields.begin, end);
    field.whole = byteSpan(fields.begin, end);
    field.name = byteSpan(fields.begin, colon != nullptr ? colon : fields.begin);
    field.value = byteSpan(colon != nullptr ? colon + 1 : fields.begin, textEnd(fields.begin, end));
    fields.begin = end;
    return true;
}

}  // namespace postsift::mime
