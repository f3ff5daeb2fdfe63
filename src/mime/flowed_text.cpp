#include "mime/flowed_text.h"

#include "mime/header_block.h"

namespace postsift::mime {

namespace {

struct flowedLine {
    int depth = 0;
    byteSpan content;  // after the quote marks and the stuffing space, before the line end
    bool soft = false;
    bool ended = false;  // the line has a line end
};

flowedLine readLine(const char* at, const char* end, const char*& next) {
    next = nextLine(at, end);
    const char* lineEnd = next;
    flowedLine line;
    if (lineEnd > at && lineEnd[-1] == '\n') {
        --lineEnd;
        line.ended = true;
    }
    if (lineEnd > at && lineEnd[-1] == '\r') --lineEnd;
    while (at < lineEnd && *at == '>') {
        ++line.depth;
        ++at;
    }
    if (at < lineEnd && *at == ' ') ++at;
    line.content = byteSpan(at, lineEnd);
    const bool signature = line.content.size() == 3 && at[0] == '-' && at[1] == '-' && at[2] == ' ';
    line.soft = !signature && !line.content.empty() && lineEnd[-1] == ' ';
    return line;
}

}  // namespace

void unwrapFlowedText(byteSpan text, bool deleteSpace, textBuffer& out) {
    const char* at = text.begin;
    bool open = false;  // a paragraph goes on in the next line
    int depth = 0;
    while (at < text.end) {
        const char* next = nullptr;
        flowedLine line = readLine(at, text.end, next);
        if (open && line.depth != depth) out.put('\n');  // a soft break before another depth is a hard one
        if (!open || line.depth != depth) {
            for (int i = 0; i < line.depth; ++i) out.put('>');
            if (line.depth > 0) out.put(' ');
        }
        depth = line.depth;
        byteSpan content = line.content;
        if (line.soft && deleteSpace) --content.end;
        out.put(content);
        open = line.soft && line.ended;
        if (!open && line.ended) out.put('\n');
        at = next;
    }
    if (open) out.put('\n');
}

}  // namespace postsift::mime
