#pragma once
#include <string>

#include "reading/pass/reading_rule.h"

namespace postsift {

class epostSift;
struct dateWords;

// "[SPEAK DATES]": the dates that the filter speaks, said as a person of
// the build's language says them ("lundi 13 janvier 2003 à 10 h",
// "Montag, 13. Januar 2003 um 10:05 Uhr"), in the computer's local time
// when the date names its zone. Those are the header lines whose keyword
// the "[DATE]" symbol lists (the summary's date) and the date lines of an
// earlier or forwarded message ("Date:", "Sent:", "Envoyé :", "Gesendet:",
// "Datum:"), unquoted. A value that is no complete date stays as it is, and
// so does one that goes on in a folded line (but not one whose folded
// lines add nothing to it).
//
// In what is written for every line, dates of the text are said too
// (dates_in_text.h), and short day and month names in full only where they
// stand in a date (short_date_names.h).
class spokenDates : public readingRule {
public:
    // Only a line with a keyword and a figure may give a date to take.
    spokenDates(epostSift& filter, const dateWords& words) : filter_(filter), words_(words) {
        showOnlyLinesHolding(taking, holdsKeyword | holdsDigit);
    }

    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;
    void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
               readingOutput& out) override;

private:
    bool isDateKeyword(const lineFacts& line, passState& state) const;
    bool dateEndsOnItsLine(const lineFacts& line, const char* value, passState& state) const;

    epostSift& filter_;
    const dateWords& words_;
    std::string spoken_;  // the date as said, kept from line to line for its buffer
};

}  // namespace postsift
