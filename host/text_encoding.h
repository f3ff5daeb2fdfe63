#pragma once
#include <string>
#include <string_view>

namespace postsift::host {

// The plug-in reads and writes Windows-1252; a terminal, a file or a mail
// client today mostly hands over UTF-8. These conversions sit between them.
enum class inputEncoding { automatic, utf8, windows1252 };

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing beyond U+10FFFF). Plain ASCII is.
bool isValidUtf8(std::string_view bytes);

// UTF-8 to Windows-1252. A character that Windows-1252 lacks becomes a
// readable stand-in ("-" for a non-breaking hyphen, "l" for "ł", "fi" for
// the ligature, the accented letter for a letter followed by a combining
// accent) or "?" when there is none; zero-width characters and the byte
// order mark are left out. A malformed sequence becomes "?".
std::string utf8ToWindows1252(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes that Windows-1252 leaves undefined
// become the control characters of the same number, so nothing is lost.
std::string windows1252ToUtf8(std::string_view bytes);

// A configuration text for the plug-in (a --set key or value): converted
// from UTF-8 when so forced or, left automatic, when the bytes are valid
// UTF-8; taken as they are otherwise.
std::string toPluginText(std::string_view bytes, inputEncoding encoding);

// A message for the plug-in: its bytes as they are, since the plug-in's
// decoding stage reads a message in the character sets it declares (and
// undeclared UTF-8 as UTF-8), as it does for any engine. A forced reading
// converts here, for whoever says so: UTF-8 to Windows-1252; and, while the
// plug-in's stage is on, Windows-1252 bytes that happen to be valid UTF-8 to
// the UTF-8 of the same characters, which the stage reads back as exactly
// those Windows-1252 bytes instead of taking them for UTF-8.
std::string toPluginMessage(std::string_view bytes, inputEncoding encoding, bool decodingStageOn);

}  // namespace postsift::host
