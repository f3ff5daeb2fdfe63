#pragma once

#include "mime/byte_span.h"
#include "mime/text_buffer.h"

namespace postsift::mime {

// One parameter of a structured header value: name=value or name="value".
struct headerParameter {
    byteSpan name;
    byteSpan value;  // a quoted value without its quotes, backslashes still in
    bool quoted = false;
};

// Walks the parameters of a value such as 'text/plain; charset="utf-8"',
// those after the first ';', one at a time.
class parameterReader {
public:
    explicit parameterReader(byteSpan fieldValue);
    bool next(headerParameter& parameter);

private:
    const char* at_;
    const char* end_;
};

// The first word of the value, up to a ';', a blank or a comment: "text/plain".
byteSpan leadingToken(byteSpan fieldValue);

// The first parameter of that name (lower case), or an empty span.
byteSpan parameterValue(byteSpan fieldValue, const char* lowerName);

// A parameter meant for a reader, such as a file name, in Windows-1252:
// split into numbered sections or not, given with its charset and
// %-escapes ("name*=utf-8''%C3%A9t%C3%A9.pdf") or as plain text holding
// encoded words, as mail programs write it. False when there is none.
bool readableParameter(byteSpan fieldValue, const char* lowerName, textBuffer& out);

}  // namespace postsift::mime
