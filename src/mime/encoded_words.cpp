#include "mime/encoded_words.h"

#include <cstring>

#include "mime/character_writer.h"
#include "mime/charset_reading.h"
#include "mime/transfer_decoding.h"
#include "mime/unconvertible_text.h"
#include "mime/utf8.h"
#include "mime/windows1252.h"

namespace postsift::mime {

namespace {

struct encodedWord {
    byteSpan charset;
    char encoding = 0;
    byteSpan text;
    const char* end = nullptr;  // past its "?="
};

bool breaksWord(char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == 0x7F;
}

bool isValidText(const encodedWord& word) {
    for (const char* at = word.text.begin; at < word.text.end; ++at) {
        if (word.encoding == 'b') {
            if (*at != '=' && base64Value(*at) < 0) return false;
        } else if (*at == '=') {
            if (word.text.end - at < 3 || hexValue(at[1]) < 0 || hexValue(at[2]) < 0) return false;
            at += 2;
        }
    }
    return true;
}

// An encoded word that begins at `at` ("=?"), read up to `end`.
bool parseEncodedWord(const char* at, const char* end, encodedWord& word) {
    const char* p = at + 2;
    const char* charsetBegin = p;
    while (p < end && *p != '?' && !breaksWord(*p)) ++p;
    if (p == end || *p != '?' || p == charsetBegin) return false;
    word.charset = byteSpan(charsetBegin, p);
    // "charset*language": the language says nothing about the bytes.
    for (const char* star = charsetBegin; star < p; ++star) {
        if (*star == '*') {
            word.charset.end = star;
            break;
        }
    }
    if (word.charset.empty()) return false;
    ++p;
    if (end - p < 2 || p[1] != '?') return false;
    const char encoding = *p == 'B' || *p == 'b' ? 'b' : (*p == 'Q' || *p == 'q' ? 'q' : 0);
    if (encoding == 0) return false;
    word.encoding = encoding;
    p += 2;
    const char* textBegin = p;
    while (p < end && *p != '?') {
        if (breaksWord(*p)) return false;
        ++p;
    }
    if (end - p < 2 || p[1] != '=') return false;
    word.text = byteSpan(textBegin, p);
    word.end = p + 2;
    return isValidText(word);
}

// The next well-formed encoded word at or after `from`.
bool findEncodedWord(const char* from, const char* end, encodedWord& word, const char*& begin) {
    for (const char* at = from; end - at >= 2; ++at) {
        at = static_cast<const char*>(std::memchr(at, '=', static_cast<std::size_t>(end - at - 1)));
        if (at == nullptr) return false;
        if (at[1] == '?' && parseEncodedWord(at, end, word)) {
            begin = at;
            return true;
        }
    }
    return false;
}

void decodeWordText(const encodedWord& word, textBuffer& bytes) {
    if (word.encoding == 'b') {
        decodeBase64(word.text, bytes);
        return;
    }
    for (const char* at = word.text.begin; at < word.text.end; ++at) {
        if (*at == '_') {
            bytes.put(' ');
        } else if (*at == '=') {
            bytes.put(static_cast<char>(hexValue(at[1]) * 16 + hexValue(at[2])));
            at += 2;
        } else {
            bytes.put(*at);
        }
    }
}

// The value with each line end, and the blanks after it, as one blank.
void unfold(byteSpan value, textBuffer& out) {
    const char* at = value.begin;
    while (at < value.end) {
        if (*at == '\r' || *at == '\n') {
            while (at < value.end && (*at == '\r' || *at == '\n')) ++at;
            while (at < value.end && isBlank(*at)) ++at;
            out.put(' ');
            continue;
        }
        out.put(*at++);
    }
}

bool isAllBlank(const char* from, const char* to) {
    for (; from < to; ++from)
        if (!isBlank(*from)) return false;
    return true;
}

// Decoded bytes of neighbouring encoded words in one charset, written out
// together when the charset changes or other text comes.
class pendingWords {
public:
    explicit pendingWords(characterWriter& writer) : writer_(writer) {}

    void add(const encodedWord& word) {
        if (!bytes_.empty() && !sameName(word.charset, charset_)) flush();
        charset_ = word.charset;
        decodeWordText(word, bytes_);
    }
    void flush() {
        if (bytes_.empty()) return;
        readText(chooseReading(charset_, bytes_.bytes()), bytes_.bytes(), writer_);
        bytes_.clear();
    }
    bool failed() const { return bytes_.failed(); }

private:
    characterWriter& writer_;
    byteSpan charset_;
    textBuffer bytes_;
};

// How the bytes of a value outside its encoded words are read: they
// declare no charset. UTF-8 when they are UTF-8; Windows-1252 when it
// defines them all; otherwise they are in some other set that cannot be
// told, and only their ASCII text is read, as of a multi-byte set (see
// unconvertible_text.h), since the sets that send bytes Windows-1252 lacks
// into mail headers are mostly those.
enum class plainBytes { windows1252, utf8, asciiOnly };

plainBytes readingOf(byteSpan value) {
    if (isUtf8BeyondAscii(value)) return plainBytes::utf8;
    return isWindows1252Text(value) ? plainBytes::windows1252 : plainBytes::asciiOnly;
}

}  // namespace

bool headerValueNeedsDecoding(byteSpan value) {
    encodedWord word;
    const char* begin = nullptr;
    return findEncodedWord(value.begin, value.end, word, begin) || readingOf(value) != plainBytes::windows1252;
}

std::size_t decodeHeaderValue(byteSpan value, textBuffer& out) {
    textBuffer unfolded;
    unfold(value, unfolded);
    const byteSpan line = unfolded.bytes();
    characterWriter writer(out, characterWriter::target::headerValue);
    const plainBytes plainReading = readingOf(line);
    charsetReading utf8;
    utf8.how = charsetReading::kind::utf8;
    pendingWords pending(writer);
    auto putPlain = [&](const char* from, const char* to) {
        if (from == to) return;
        pending.flush();
        switch (plainReading) {
            case plainBytes::utf8: readText(utf8, byteSpan(from, to), writer); break;
            case plainBytes::asciiOnly: readAsciiRemainder(platform::charsetForm::multiByte, byteSpan(from, to), writer); break;
            case plainBytes::windows1252: out.put(from, static_cast<std::size_t>(to - from)); break;
        }
    };

    std::size_t decoded = 0;
    const char* at = line.begin;
    while (at < line.end) {
        encodedWord word;
        const char* begin = nullptr;
        if (!findEncodedWord(at, line.end, word, begin)) break;
        // Blanks between two encoded words are no part of the text.
        if (!(decoded > 0 && isAllBlank(at, begin))) putPlain(at, begin);
        pending.add(word);
        ++decoded;
        at = word.end;
    }
    putPlain(at, line.end);
    pending.flush();
    if (unfolded.failed() || pending.failed()) out.fail();
    return decoded;
}

}  // namespace postsift::mime
