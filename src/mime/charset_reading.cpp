#include "mime/charset_reading.h"

#include "mime/unconvertible_text.h"
#include "mime/utf8.h"
#include "mime/windows1252.h"
#include "platform/charset.h"

namespace postsift::mime {

namespace {

const char* const asciiNames[] = {"us-ascii", "ascii", "us", "ansi_x3.4-1968", "iso646-us"};
const char* const windows1252Names[] = {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1",
                                        "iso_8859-1", "latin1", "latin-1", "l1", "cp819", "ibm819"};
const char* const utf8Names[] = {"utf-8", "utf8"};

// Character sets whose ASCII text is not ASCII bytes: even a text of plain
// ASCII bytes is to be converted.
const char* const shiftingPrefixes[] = {"utf-7", "utf-16", "utf-32", "ucs-2", "ucs-4", "iso-2022", "hz"};

template <std::size_t N>
bool isOneOf(byteSpan name, const char* const (&names)[N]) {
    for (const char* candidate : names)
        if (sameName(name, candidate)) return true;
    return false;
}

// No system converter is asked about a name that no character set has.
bool isPlausibleName(byteSpan name) {
    if (name.empty() || name.size() > 64) return false;
    for (const char* at = name.begin; at < name.end; ++at) {
        const char c = *at;
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                             c == '-' || c == '_' || c == '.' || c == ':' || c == '+' || c == '(' || c == ')';
        if (!allowed) return false;
    }
    return true;
}

// The end of the run of bytes from `at` that stand for themselves; in UTF-8
// only the ASCII ones do.
const char* ownBytesEnd(const char* at, const char* end, bool asciiOnly) {
    while (at < end) {
        const unsigned char byte = static_cast<unsigned char>(*at);
        if (!standsForItself(byte) || (asciiOnly && byte >= 0x80)) break;
        ++at;
    }
    return at;
}

void readWindows1252(byteSpan text, characterWriter& writer) {
    const char* at = text.begin;
    while (at < text.end) {
        const char* run = at;
        at = ownBytesEnd(at, text.end, false);
        writer.putOwnBytes(run, at);
        if (at < text.end) writer.put(windows1252Character(static_cast<unsigned char>(*at++)));
    }
}

void readUtf8Text(byteSpan text, characterWriter& writer) {
    const char* at = text.begin;
    while (at < text.end) {
        const char* run = at;
        at = ownBytesEnd(at, text.end, true);
        writer.putOwnBytes(run, at);
        if (at == text.end) break;
        const char* start = at;
        char32_t character;
        if (readUtf8(at, text.end, character))
            writer.put(character);
        else
            writer.put(windows1252Character(static_cast<unsigned char>(*start)));
    }
}

}  // namespace

charsetReading chooseReading(byteSpan declared, byteSpan text) {
    declared = trimmed(declared);
    charsetReading reading;
    if (declared.empty() || isOneOf(declared, asciiNames)) {
        reading.how = isUtf8BeyondAscii(text) ? charsetReading::kind::utf8 : charsetReading::kind::windows1252;
    } else if (isOneOf(declared, utf8Names)) {
        reading.how = charsetReading::kind::utf8;
    } else if (isOneOf(declared, windows1252Names) || !isPlausibleName(declared)) {
        reading.how = charsetReading::kind::windows1252;
    } else {
        reading.how = charsetReading::kind::system;
        reading.name = declared;
    }
    return reading;
}

bool readingConverts(const charsetReading& reading, byteSpan text) {
    switch (reading.how) {
        case charsetReading::kind::windows1252: return false;
        case charsetReading::kind::utf8: return hasHighBytes(text);
        case charsetReading::kind::system: break;
    }
    bool shifting = false;
    for (const char* prefix : shiftingPrefixes) shifting = shifting || startsWithName(reading.name, prefix);
    if (!shifting && !hasHighBytes(text)) return false;
    const platform::charsetDecoder decoder(reading.name.begin, reading.name.size());
    platform::charsetForm form;
    return decoder.isOpen() || isForeignCharset(reading.name, form);
}

void readText(const charsetReading& reading, byteSpan text, characterWriter& writer) {
    if (reading.how == charsetReading::kind::utf8) {
        readUtf8Text(text, writer);
        return;
    }
    if (reading.how == charsetReading::kind::system) {
        platform::charsetDecoder decoder(reading.name.begin, reading.name.size());
        if (decoder.isOpen()) {
            // A window the text passes through, piece by piece.
            char32_t characters[2048];
            const char* at = text.begin;
            while (at < text.end) {
                std::size_t consumed = 0;
                const std::size_t count = decoder.decode(at, static_cast<std::size_t>(text.end - at), true,
                                                         characters, sizeof characters / sizeof characters[0],
                                                         consumed);
                for (std::size_t i = 0; i < count; ++i) writer.put(characters[i]);
                if (consumed == 0 && count == 0) break;  // nothing more it can read
                at += consumed;
            }
            return;
        }
        platform::charsetForm form;
        if (isForeignCharset(reading.name, form)) {
            readAsciiRemainder(form, text, writer);
            return;
        }
    }
    readWindows1252(text, writer);
}

}  // namespace postsift::mime
