#include "mime/header_parameters.h"

#include <cstring>

#include "mime/character_writer.h"
#include "mime/charset_reading.h"
#include "mime/encoded_words.h"
#include "mime/transfer_decoding.h"

namespace postsift::mime {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Past a quoted string whose opening quote is at `at`.
const char* quotedEnd(const char* at, const char* end) {
    for (const char* p = at + 1; p < end; ++p) {
        if (*p == '\\' && p + 1 < end) {
            ++p;
        } else if (*p == '"') {
            return p + 1;
        }
    }
    return end;
}

void putUnescaped(byteSpan quoted, textBuffer& out) {
    for (const char* p = quoted.begin; p < quoted.end; ++p) {
        if (*p == '\\' && p + 1 < quoted.end) ++p;
        out.put(*p);
    }
}

void putPercentDecoded(byteSpan text, textBuffer& out) {
    for (const char* p = text.begin; p < text.end; ++p) {
        if (*p == '%' && text.end - p >= 3 && hexValue(p[1]) >= 0 && hexValue(p[2]) >= 0) {
            out.put(static_cast<char>(hexValue(p[1]) * 16 + hexValue(p[2])));
            p += 2;
        } else {
            out.put(*p);
        }
    }
}

// "charset'language'text" of an extended value: the charset, and the text
// after the second quote (all of it when the quotes are missing).
byteSpan splitExtended(byteSpan value, byteSpan& charset) {
    if (value.empty()) return value;
    const char* first = static_cast<const char*>(std::memchr(value.begin, '\'', value.size()));
    if (first == nullptr) return value;
    const char* second =
        static_cast<const char*>(std::memchr(first + 1, '\'', static_cast<std::size_t>(value.end - first - 1)));
    if (second == nullptr) return value;
    charset = byteSpan(value.begin, first);
    return byteSpan(second + 1, value.end);
}

// "name*N" or "name*N*": the section number and whether it is %-encoded.
bool sectionOf(byteSpan parameterName, std::size_t baseLength, unsigned long& number, bool& encoded) {
    const char* p = parameterName.begin + baseLength;
    if (p >= parameterName.end || *p != '*') return false;
    ++p;
    if (p >= parameterName.end || *p < '0' || *p > '9') return false;
    number = 0;
    while (p < parameterName.end && *p >= '0' && *p <= '9') {
        if (number > 100000) return false;
        number = number * 10 + static_cast<unsigned long>(*p - '0');
        ++p;
    }
    encoded = p < parameterName.end && *p == '*';
    return p + (encoded ? 1 : 0) == parameterName.end;
}

}  // namespace

parameterReader::parameterReader(byteSpan fieldValue) : at_(fieldValue.begin), end_(fieldValue.end) {
    while (at_ < end_ && *at_ != ';') at_ = *at_ == '"' ? quotedEnd(at_, end_) : at_ + 1;
}

bool parameterReader::next(headerParameter& parameter) {
    while (at_ < end_) {
        while (at_ < end_ && (*at_ == ';' || isSpace(*at_))) ++at_;
        const char* nameBegin = at_;
        while (at_ < end_ && *at_ != '=' && *at_ != ';') ++at_;
        if (at_ == end_ || *at_ == ';') continue;  // no value: not a parameter
        parameter.name = trimmed(byteSpan(nameBegin, at_));
        ++at_;
        while (at_ < end_ && isSpace(*at_)) ++at_;
        if (at_ < end_ && *at_ == '"') {
            const char* close = quotedEnd(at_, end_);
            parameter.value = byteSpan(at_ + 1, close > at_ + 1 && close[-1] == '"' ? close - 1 : close);
            parameter.quoted = true;
            at_ = close;
        } else {
            const char* valueBegin = at_;
            while (at_ < end_ && *at_ != ';' && !isSpace(*at_)) ++at_;
            parameter.value = byteSpan(valueBegin, at_);
            parameter.quoted = false;
        }
        // Whatever follows the value up to the next ';' is not part of it.
        while (at_ < end_ && *at_ != ';') at_ = *at_ == '"' ? quotedEnd(at_, end_) : at_ + 1;
        if (!parameter.name.empty()) return true;
    }
    return false;
}

byteSpan leadingToken(byteSpan fieldValue) {
    const char* begin = fieldValue.begin;
    while (begin < fieldValue.end && isSpace(*begin)) ++begin;
    const char* end = begin;
    while (end < fieldValue.end && *end != ';' && *end != '(' && !isSpace(*end)) ++end;
    return byteSpan(begin, end);
}

byteSpan parameterValue(byteSpan fieldValue, const char* lowerName) {
    parameterReader reader(fieldValue);
    headerParameter parameter;
    while (reader.next(parameter))
        if (sameName(parameter.name, lowerName)) return parameter.value;
    return byteSpan();
}

bool readableParameter(byteSpan fieldValue, const char* lowerName, textBuffer& out) {
    const std::size_t baseLength = std::strlen(lowerName);
    byteSpan plain;
    bool hasPlain = false;
    bool plainQuoted = false;
    byteSpan extended;
    bool hasExtended = false;
    // Numbered sections are taken in order, as mail programs write them; a
    // section out of its place ends the value.
    textBuffer sections;
    byteSpan sectionsCharset;
    unsigned long expected = 0;

    parameterReader reader(fieldValue);
    headerParameter parameter;
    while (reader.next(parameter)) {
        if (!startsWithName(parameter.name, lowerName)) continue;
        if (parameter.name.size() == baseLength) {
            if (!hasPlain) plain = parameter.value, plainQuoted = parameter.quoted, hasPlain = true;
            continue;
        }
        if (parameter.name.size() == baseLength + 1 && parameter.name.begin[baseLength] == '*') {
            if (!hasExtended) extended = parameter.value, hasExtended = true;
            continue;
        }
        unsigned long number = 0;
        bool encoded = false;
        if (!sectionOf(parameter.name, baseLength, number, encoded) || number != expected) continue;
        byteSpan text = parameter.value;
        if (encoded && number == 0) text = splitExtended(text, sectionsCharset);
        if (encoded)
            putPercentDecoded(text, sections);
        else if (parameter.quoted)
            putUnescaped(text, sections);
        else
            sections.put(text);
        ++expected;
    }

    characterWriter writer(out, characterWriter::target::headerValue);
    if (hasExtended) {
        byteSpan charset;
        const byteSpan text = splitExtended(extended, charset);
        textBuffer bytes;
        putPercentDecoded(text, bytes);
        readText(chooseReading(charset, bytes.bytes()), bytes.bytes(), writer);
        return true;
    }
    if (expected > 0) {
        readText(chooseReading(sectionsCharset, sections.bytes()), sections.bytes(), writer);
        return true;
    }
    if (!hasPlain) return false;
    textBuffer unescaped;
    if (plainQuoted)
        putUnescaped(plain, unescaped);
    else
        unescaped.put(plain);
    decodeHeaderValue(unescaped.bytes(), out);
    return true;
}

}  // namespace postsift::mime
