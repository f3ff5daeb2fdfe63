#include "reading/rules/initials_quote.h"

#include <cstring>

#include "reading/pass/block_facts.h"
#include "reading/pass/rule_table.h"

namespace postsift {

readingRule* makeInitialsQuote(const ruleSetting&, ruleRoom& room) { return room.make<initialsQuote>(); }

void initialsQuote::observe(lineFacts& line, passState& state, readingOutput&) {
    // Most lines begin with no initials: they end a run, at the cost of a
    // test, and the rest of the work is out of their way.
    if (line.initialsMark == nullptr) {
        run_[0] = '\0';
        return;
    }
    readInitials(line, state);
}

void initialsQuote::readInitials(lineFacts& line, passState& state) {
    const std::size_t count = line.initialsLength();
    if (std::strlen(run_) != count || std::memcmp(line.initials, run_, count) != 0) {
        // A run begins only where the next line has the same initials, or
        // with a lone line of initials in capitals.
        run_[0] = '\0';
        if (!beginsInitialsQuote(line, state.lines)) return;
        std::memcpy(run_, line.initials, count);
        run_[count] = '\0';
    }
    line = factsAt(line.initialsMark, line.textEnd);
}

}  // namespace postsift
