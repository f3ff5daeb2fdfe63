#include "mime/unconvertible_text.h"

#include "platform/shift_state.h"

namespace postsift::mime {

namespace {

using platform::charsetForm;

struct family {
    const char* stem;
    charsetForm form;
};

// Names that the table does not hold but whose family is plain from the
// name: "iso-2022-jp-3", "euc-jisx0213", "big5hkscs", "ks_c_5601-1992".
const family families[] = {
    {"iso-2022", charsetForm::iso2022}, {"csiso2022", charsetForm::iso2022}, {"hz-", charsetForm::hz},
    {"euc", charsetForm::multiByte},    {"x-euc", charsetForm::multiByte},   {"gb", charsetForm::multiByte},
    {"big5", charsetForm::multiByte},   {"ks_c", charsetForm::multiByte},    {"ksc", charsetForm::multiByte},
    {"shift_jis", charsetForm::multiByte}, {"shift-jis", charsetForm::multiByte},
    {"sjis", charsetForm::multiByte},   {"x-sjis", charsetForm::multiByte},
};

bool isHigh(unsigned char byte) { return byte >= 0x80; }

void readMultiByte(byteSpan text, bool pairs, characterWriter& writer) {
    for (const char* at = text.begin; at < text.end; ++at) {
        const unsigned char byte = static_cast<unsigned char>(*at);
        if (!isHigh(byte)) {
            writer.put(byte);
            continue;
        }
        if (!pairs || at + 1 == text.end) continue;
        const unsigned char next = static_cast<unsigned char>(at[1]);
        if (isHigh(next) || (next >= '0' && next != 0x7F)) ++at;
    }
}

void readShifted(platform::shiftScheme scheme, byteSpan text, characterWriter& writer) {
    bool shifted = false;
    for (const char* at = text.begin; at < text.end;) {
        const platform::shiftUnit unit =
            platform::readShiftUnit(scheme, at, static_cast<std::size_t>(text.end - at), shifted);
        if (unit.length == 0) break;  // a sequence cut off by the end of the text
        if (!shifted && unit.text) writer.put(static_cast<unsigned char>(unit.character));
        at += unit.length;
    }
}

}  // namespace

bool isForeignCharset(byteSpan name, charsetForm& form) {
    if (const platform::charsetName* entry = platform::findCharsetName(name.begin, name.size())) {
        form = entry->form;
        return true;
    }
    for (const family& candidate : families) {
        if (startsWithName(name, candidate.stem)) {
            form = candidate.form;
            return true;
        }
    }
    return false;
}

void readAsciiRemainder(charsetForm form, byteSpan text, characterWriter& writer) {
    switch (form) {
        case charsetForm::singleByte: readMultiByte(text, false, writer); return;
        case charsetForm::multiByte: readMultiByte(text, true, writer); return;
        case charsetForm::utf7: readShifted(platform::shiftScheme::utf7, text, writer); return;
        case charsetForm::iso2022: readShifted(platform::shiftScheme::iso2022, text, writer); return;
        case charsetForm::hz: readShifted(platform::shiftScheme::hz, text, writer); return;
    }
}

}  // namespace postsift::mime
