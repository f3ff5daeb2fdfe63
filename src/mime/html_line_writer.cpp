#include "mime/html_line_writer.h"

namespace postsift::mime {

namespace {

// Marks past this depth would tell a listener nothing more, and without a
// bound blockquotes nested with text at every level would give a text that
// grows with the square of the document.
constexpr std::size_t maxQuoteMarks = 32;

constexpr std::size_t ruleLength = 32;

bool isWhiteSpace(char32_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == 0x2028 || c == 0x2029;
}

}  // namespace

void htmlLineWriter::putMarks() {
    const std::size_t marks = quoteDepth_ < maxQuoteMarks ? quoteDepth_ : maxQuoteMarks;
    for (std::size_t i = 0; i < marks; ++i) out_.put('>');
}

void htmlLineWriter::beginLine() {
    if (atLineStart_ && quoteDepth_ > 0) {
        putMarks();
        out_.put(' ');
    } else if (pendingSpace_ && !atLineStart_) {
        out_.put(' ');
    }
    pendingSpace_ = false;
    atLineStart_ = false;
    afterRule_ = false;
    lineEnds_ = 0;
}

void htmlLineWriter::putWord(const char* bytes, std::size_t length) {
    beginLine();
    out_.put(bytes, length);
}

void htmlLineWriter::putCharacter(char32_t character) {
    if (character == 0) return;
    if (character == 0xA0) {  // a no-break space spaces like any other
        pendingSpace_ = true;
        return;
    }
    // A reference to white space is white space: folded like the rest, and
    // never a line end that would leave a line of a quote without its marks.
    if (isWhiteSpace(character)) {
        const char space = character == ' ' || character == '\t' ? static_cast<char>(character) : '\n';
        putSpace(&space, 1);
        return;
    }
    // A character with no form in Windows-1252 is as if it were not there:
    // the blank (or the quote marks) before it wait for the next word.
    const bool pendingSpace = pendingSpace_;
    const bool atLineStart = atLineStart_;
    const bool afterRule = afterRule_;
    const int lineEnds = lineEnds_;
    const std::size_t size = out_.size();
    beginLine();
    const std::size_t afterBlank = out_.size();
    writer_.put(character);
    if (out_.size() != afterBlank) return;
    while (out_.size() > size) out_.popBack();
    pendingSpace_ = pendingSpace;
    atLineStart_ = atLineStart;
    afterRule_ = afterRule;
    lineEnds_ = lineEnds;
}

void htmlLineWriter::putSpace(const char* bytes, std::size_t length) {
    if (preDepth_ == 0) {
        pendingSpace_ = true;
        return;
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (bytes[i] == '\n') {
            breakLine();
        } else if (bytes[i] == ' ' || bytes[i] == '\t') {
            beginLine();
            out_.put(bytes[i]);
        }
    }
}

void htmlLineWriter::endLine() {
    pendingSpace_ = false;
    if (atLineStart_) return;
    out_.put('\n');
    atLineStart_ = true;
    lineEnds_ = 1;
}

void htmlLineWriter::breakLine() {
    pendingSpace_ = false;
    if (lineEnds_ >= 2) return;
    if (atLineStart_) putMarks();  // an empty line of a quote is its marks alone
    out_.put('\n');
    atLineStart_ = true;
    ++lineEnds_;
}

void htmlLineWriter::drawRule() {
    endLine();
    if (afterRule_) return;
    beginLine();
    for (std::size_t i = 0; i < ruleLength; ++i) out_.put('_');
    endLine();
    afterRule_ = true;
}

}  // namespace postsift::mime
