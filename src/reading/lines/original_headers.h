#pragma once
#include <string>

#include "reading/lines/header_names.h"
#include "reading/lines/message_line.h"

namespace postsift {

// The header lines that mail programs write above an earlier message when
// they quote it whole: From, Sent, Date, To, Cc, Reply-To and Subject, and
// their French (De, Envoyé, Date, À, Cc, Objet) and German (Von, Gesendet,
// Datum, An, Cc, Betreff) forms, and those of the other languages of
// header_names.cpp (Fra, Från, Van, Para, Oggetto ...), at the start of an
// unquoted line, perhaps wrapped
// in '*' ("*From:*") and with a blank before the colon as French writes it.
// For such a line: what it names, and where its value begins (after the
// colon, and the '*' that closes "*From:*"). False for any other line.
bool readOriginalHeader(const messageLine& line, originalField& field, const char*& value);

// An original header line, line end included, the way the scanner reads
// header lines of an earlier message: "From: ...", with the '*' and the
// blank before the colon gone. A name that is not plain ASCII (which the
// scanner cannot take for a header keyword there) becomes its English form,
// "Envoyé" "Sent" and "À" "To", and so does a name of the other languages,
// which no configuration speaks ("Emne" "Subject"); an address written
// "[mailto:a@b]"
// becomes "<a@b>" so that the address option decides over it as over any
// other.
std::string plainOriginalHeaderLine(const messageLine& line);

}  // namespace postsift
