#pragma once
#include <cstddef>
#include <string>

#include "reading/lines/message_line.h"
#include "reading/pass/reading_output.h"

namespace postsift {

class epostSift;
class filterEntry;
struct dateWords;

// "[SPEAK DATES]": the dates that the filter speaks, said as a person of
// the build's language says them ("lundi 13 janvier 2003 à 10 h",
// "Montag, 13. Januar 2003 um 10:05 Uhr"), in the computer's local time
// when the date names its zone. Those are the header lines whose keyword
// the "[DATE]" symbol lists (the summary's date) and the date lines of an
// earlier or forwarded message ("Date:", "Sent:", "Envoyé :", "Gesendet:",
// "Datum:"). A value that is no complete date stays as it is.
class spokenDates {
public:
    spokenDates(epostSift& filter, const dateWords& words) : filter_(filter), words_(words) {}

    // When the line is such a date line and its value a date: writes the
    // line with the date said, and answers true. The line's value must not
    // go on in a folded line after it.
    bool write(const messageLine& line, readingOutput& out);
    // The date in the text, as it is said; false when it is no date.
    bool say(const std::string& text, std::string& spoken) const;

private:
    bool isDateKeyword(const messageLine& line, const char* keyword, const char* keywordEnd);

    epostSift& filter_;
    const dateWords& words_;
    const filterEntry* dateSymbol_ = nullptr;
    bool looked_ = false;
};

}  // namespace postsift
