#pragma once
#include <cstddef>

#include "mime/character_writer.h"
#include "mime/text_buffer.h"

namespace postsift::mime {

// Writes the text of an HTML document as plain-text lines, the way a reply
// in plain text would look: white space folded to one blank (except inside
// pre), each line inside blockquotes starting with one '>' per level and a
// blank ("> text", ">> text"; an empty line there is the marks alone), and
// a line of underscores above the block that holds an earlier message.
class htmlLineWriter {
public:
    explicit htmlLineWriter(textBuffer& out) : out_(out), writer_(out, characterWriter::target::body) {}

    // Text: a run of bytes with no white space, one decoded character, and
    // white space.
    void putWord(const char* bytes, std::size_t length);
    void putCharacter(char32_t character);
    void putSpace(const char* bytes, std::size_t length);
    // The blank that stands between two table cells.
    void separate() { pendingSpace_ = true; }

    // A block ends the line it stands on, if anything stands on it.
    void endLine();
    // A line break ends a line even when it is empty, but never makes more
    // than one empty line in a row.
    void breakLine();
    // A line of underscores on its own, unless one was written last with
    // nothing but empty lines after it.
    void drawRule();

    void enterQuote() { ++quoteDepth_; }
    void leaveQuote() {
        if (quoteDepth_ > 0) --quoteDepth_;
    }
    void enterPre() { ++preDepth_; }
    void leavePre() {
        if (preDepth_ > 0) --preDepth_;
    }

    // Ends the last line, if anything stands on it.
    void finish() {
        if (!atLineStart_) out_.put('\n');
    }

private:
    void beginLine();
    void putMarks();

    textBuffer& out_;
    characterWriter writer_;
    bool pendingSpace_ = false;
    bool atLineStart_ = true;
    // Line ends written in a row; two at the start, so that nothing the
    // document begins with gives empty lines.
    int lineEnds_ = 2;
    bool afterRule_ = false;
    std::size_t quoteDepth_ = 0;
    std::size_t preDepth_ = 0;
};

}  // namespace postsift::mime
