#pragma once

namespace postsift {

// What an earlier message's header line names, as the reading pass reads it.
enum class originalField { sender, date, subject, other };

// The header field names that the scanner and the reading pass know: those
// of the message format and MIME that mail carries, and the French and
// German names of those that mail programs write above a message they quote
// whole.
struct headerName {
    const char* name;      // lower case; Windows-1252
    bool original;         // written above an earlier message ("From:", "Envoyé :", "Betreff:")
    originalField field;   // what it names there
    const char* written;   // not plain ASCII, so given to the scanner as this English name; null: as it stands
};

// The name that [from, to) spells, in any case; null for none.
const headerName* findHeaderName(const char* from, const char* to);

}  // namespace postsift
