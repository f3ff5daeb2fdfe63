#include "reading/rules/spoken_dates.h"

#include <string>

#include "filter/epost_sift.h"
#include "reading/dates/date_reading.h"
#include "reading/dates/date_speaking.h"
#include "reading/dates/date_words.h"
#include "reading/pass/rule_table.h"
#include "reading/rules/dates_in_text.h"
#include "reading/rules/short_date_names.h"

namespace postsift {

readingRule* makeSpokenDates(const ruleSetting& setting, ruleRoom& room) {
    return room.make<spokenDates>(setting.filter, buildDateWords());
}

bool spokenDates::isDateKeyword(const lineFacts& line, passState& state) const {
    if (line.originalHeader && line.field == originalField::date) return true;
    const filterEntry* dateSymbol = state.dateSymbol();
    return dateSymbol != nullptr && state.keywordSymbol(line) == dateSymbol;
}

// A date that goes on in a folded line stays as it is; but lines folded
// under a whole date that add nothing to it (what a broken program wrote
// into the field) are no part of it: the date is said, they follow.
bool spokenDates::dateEndsOnItsLine(const lineFacts& line, const char* value, passState& state) const {
    lineFacts next;
    if (!state.lines.next(line, next) || !next.line.isFolded()) return true;
    std::string joined(value, line.line.end);
    const std::size_t alone = joined.size();
    for (;;) {
        joined += ' ';
        joined.append(next.line.begin, next.line.end);
        lineFacts following;
        if (!state.lines.next(next, following) || !following.line.isFolded()) break;
        next = following;
    }
    dateTime date;
    const std::size_t read = readDateAt(joined.data(), joined.size(), date);
    return read != 0 && read <= alone;
}

lineTaken spokenDates::take(const lineFacts& line, passState& state, readingOutput& out) {
    // Of the header blocks, not a folded line; of the body, only unquoted
    // lines. A date has a day in figures; "Envoyé :" and "*Sent:*", which
    // the scanner would not take for keywords, are written plainly
    // elsewhere.
    if (line.header ? line.folded : line.line.depth != 0) return lineTaken::passed();
    if (!line.hasDigit || line.keywordEnd == nullptr || !isDateKeyword(line, state)) return lineTaken::passed();
    const char* value = skipBlanks(line.keywordEnd, line.line.end);
    if (!dateEndsOnItsLine(line, value, state)) return lineTaken::passed();
    spoken_.clear();
    if (!speakDateText(value, static_cast<std::size_t>(line.line.end - value), words_, spoken_))
        return lineTaken::passed();
    out.put(line.line.begin, line.keywordEnd);
    out.put(" ");
    out.put(spoken_.c_str());
    out.put(line.line.end, line.line.next);
    return lineTaken::upTo(line.line.next);
}

void spokenDates::after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
                        readingOutput& out) {
    if (fate == lineFate::leftOut) return;
    if (fate == lineFate::text && line.hasDigit) sayDatesInText(out, written, words_);
    // A header line, of the top or of the body, is read by the scanner's
    // header rules; one that gives a date which could not be said is a date
    // all through.
    const bool headerLine = fate == lineFate::header || fate == lineFate::keywordLine;
    const bool dateLine = headerLine && !line.folded && line.keywordEnd != nullptr && isDateKeyword(line, state);
    // A line written as it stood, with no figure and no capital that may
    // begin a day's or a month's name, has no short name beside a date.
    if (!dateLine && !line.hasDateStart && out.holdsLineAsItStood(written)) return;
    sayShortDateNames(filter_, out, written, dateLine, headerLine);
}

}  // namespace postsift
