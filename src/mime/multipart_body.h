#pragma once

#include "mime/byte_span.h"

namespace postsift::mime {

// The parts of a multipart body, one after the other. A part runs from the
// line after a delimiter line ("--" and the boundary, perhaps "--" to close,
// then only blanks) to the line end before the next one; the text before the
// first delimiter and after the closing one is no part. A body whose closing
// delimiter never comes ends its last part at its own end.
class multipartBody {
public:
    multipartBody(byteSpan body, byteSpan boundary);

    // False when the body holds no delimiter line at all.
    bool hasParts() const { return next_ != nullptr; }
    bool nextPart(byteSpan& part);

private:
    // The delimiter line at or after `from`: its start, or null.
    const char* findDelimiter(const char* from, bool& closing, const char*& after) const;

    byteSpan body_;
    byteSpan boundary_;
    const char* next_ = nullptr;  // where the next part begins, null when none does
};

}  // namespace postsift::mime
