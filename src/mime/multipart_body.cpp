#include "mime/multipart_body.h"

#include <cstring>

#include "mime/header_block.h"

namespace postsift::mime {

multipartBody::multipartBody(byteSpan body, byteSpan boundary) : body_(body), boundary_(boundary) {
    if (boundary_.empty()) return;
    bool closing = false;
    const char* after = nullptr;
    if (findDelimiter(body_.begin, closing, after) != nullptr && !closing) next_ = after;
}

const char* multipartBody::findDelimiter(const char* from, bool& closing, const char*& after) const {
    const std::size_t length = boundary_.size();
    const char* lineEnd = nullptr;
    for (const char* line = from; line < body_.end; line = lineEnd) {
        lineEnd = nextLine(line, body_.end);
        if (static_cast<std::size_t>(lineEnd - line) < length + 2 || line[0] != '-' || line[1] != '-') continue;
        if (std::memcmp(line + 2, boundary_.begin, length) != 0) continue;
        const char* p = line + 2 + length;
        closing = lineEnd - p >= 2 && p[0] == '-' && p[1] == '-';
        if (closing) p += 2;
        while (p < lineEnd && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')) ++p;
        if (p != lineEnd) continue;  // a longer boundary, or text after it
        after = lineEnd;
        return line;
    }
    return nullptr;
}

bool multipartBody::nextPart(byteSpan& part) {
    if (next_ == nullptr) return false;
    const char* begin = next_;
    bool closing = false;
    const char* after = nullptr;
    const char* delimiter = findDelimiter(begin, closing, after);
    if (delimiter == nullptr) {
        part = byteSpan(begin, body_.end);
        next_ = nullptr;
        return true;
    }
    // The line end before a delimiter belongs to the delimiter.
    const char* end = delimiter;
    if (end > begin && end[-1] == '\n') --end;
    if (end > begin && end[-1] == '\r') --end;
    part = byteSpan(begin, end);
    next_ = closing ? nullptr : after;
    return true;
}

}  // namespace postsift::mime
