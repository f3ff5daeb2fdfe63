#pragma once
#include "reading/pass/reading_rule.h"

namespace postsift {

class epostSift;
class filterEntry;

// "[SPEAK NAMES]": the sender is announced by name, as a person would say
// it. The sender's line is a header line whose keyword the "[SENDER]"
// symbol lists, at the top or unquoted in the body:
//   jo.lee@example.net (Jo Lee)       Jo Lee
//   "Moreau, Claire" <c@example.fr>   Claire Moreau (one word each side)
//   "Lee, Jo (IT)" <j@example.net>    Lee, Jo (IT) (more parts: as written)
//   <m_ruiz@example.com>              m ruiz (the address's words)
//   noreply@example.com               noreply at example.com (a role, with
//                                     its domain, by the "[ROLE ADDRESS]" phrase)
//   "jo@example.net" <x@example.org>  jo (the address the sender shows)
// Quotes are never said. The line is written again as "Name <address>",
// so that "[INCLUDE EMAIL ADDRESS]" still adds the address. A line that
// holds more than one address or goes on in a folded line stays as it is.
class spokenNames : public readingRule {
public:
    // Only a line with a keyword may name the sender.
    spokenNames(epostSift& filter, const char* rolePhrase) : filter_(filter), rolePhrase_(rolePhrase) {
        showOnlyLinesHolding(taking, holdsKeyword);
    }

    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;

private:
    bool isSenderLine(const lineFacts& line, passState& state);

    epostSift& filter_;
    const char* rolePhrase_;
    const filterEntry* sender_ = nullptr;
    bool senderLooked_ = false;
};

}  // namespace postsift
