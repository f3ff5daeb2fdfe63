#pragma once

#include "mime/byte_span.h"
#include "mime/character_writer.h"

namespace postsift::mime {

// How the bytes of a text are read: as Windows-1252 (the plug-in's own
// character set, and what missing or unknown declarations fall back to), as
// UTF-8 (decoded here, so that both platforms read it alike), or through the
// system's converter for any other declared character set.
struct charsetReading {
    enum class kind { windows1252, utf8, system };
    kind how = kind::windows1252;
    byteSpan name;  // the declared name, for the system's converter
};

// The reading of `text` under its declared charset (empty when none is
// declared). Undeclared text, and text declared as ASCII (which mail
// programs also write about UTF-8), is read as UTF-8 when it is valid UTF-8
// beyond ASCII, and as Windows-1252 otherwise; ISO-8859-1 is read as
// Windows-1252, its superset in practice.
charsetReading chooseReading(byteSpan declared, byteSpan text);

// True when reading the text so gives other bytes than the text's own.
bool readingConverts(const charsetReading& reading, byteSpan text);

// Hands every character of the text to the writer. Bytes that are not
// UTF-8 in UTF-8 text are taken as Windows-1252, as are the bytes of a
// character set that is known neither to the system nor as a foreign set
// (see unconvertible_text.h). Of a foreign set the system cannot convert,
// only the ASCII text is read.
void readText(const charsetReading& reading, byteSpan text, characterWriter& writer);

}  // namespace postsift::mime
