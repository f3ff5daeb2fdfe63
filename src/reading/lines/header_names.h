#pragma once

namespace postsift {

// What an earlier message's header line names, as the reading pass reads it.
enum class originalField { sender, date, subject, other };

// The header field names that the scanner and the reading pass know: those
// of the message format and MIME that mail carries, and the French and
// German names of those that mail programs write above a message they quote
// whole; and, for the reading pass alone, their names in the other
// languages that mail programs write them in (Danish and Norwegian, Swedish,
// Dutch, Spanish, Italian, Portuguese).
struct headerName {
    const char* name;      // lower case; Windows-1252
    bool original;         // written above an earlier message ("From:", "Envoyé :", "Betreff:")
    originalField field;   // what it names there
    const char* written;   // given to the scanner as this English name; null: as it stands
    // A name of another language that mail programs write above an earlier
    // message ("Fra:", "Från:", "Van:", "Para:", "Da:", "A:"): known there
    // only, as in body text "A:" and "Para:" begin lines of text.
    bool aboveEarlierMessageOnly = false;
};

// The name that [from, to) spells, in any case; null for none. The names
// known only above an earlier message are found when `aboveEarlierMessage`
// says so.
const headerName* findHeaderName(const char* from, const char* to, bool aboveEarlierMessage = false);

// Whether a name that an earlier message's header line gives `field` can
// begin with `c`, in any case: a first look that turns most lines away.
bool originalNameMayBegin(originalField field, char c);

// The same as a table of folded first bytes, for a rule that asks it of
// every header line and keeps the table.
struct firstByteTable {
    bool at[256];
};
const firstByteTable& originalFirstBytes(originalField field);

}  // namespace postsift
