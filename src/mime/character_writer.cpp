#include "mime/character_writer.h"

#include "mime/windows1252.h"

namespace postsift::mime {

void characterWriter::put(char32_t c) {
    if (c == 0x2028 || c == 0x2029) c = '\n';  // line and paragraph separators
    const bool lineFeedAfterReturn = c == '\n' && afterCarriageReturn_;
    afterCarriageReturn_ = c == '\r';
    if (lineFeedAfterReturn) return;  // the CR already ended the line
    if (c == '\r') c = '\n';
    if (c == '\n' || c == '\t') {
        out_.put(where_ == target::body ? static_cast<char>(c) : ' ');
        return;
    }
    if (c < 0x20 || c == 0x7F) {
        if (where_ == target::headerValue && c != 0) out_.put(' ');
        return;
    }
    putWindows1252(out_, c);
}

}  // namespace postsift::mime
