#pragma once
#include "reading/pass/reading_rule.h"

namespace postsift {

class epostSift;

// The reply and forward markers that stack up at the start of a subject
// ("Re: Re: AW: Fwd: Termin"): each phrase is spoken once, where it is
// first met. A marker is a word that ends in ':' and that the filter list
// replaces by a phrase (a word rule, not a keyword's "%s" phrase), so the
// build's own "Re:", "AW:", "Fwd:" or "WG:" and any a configuration adds
// count, and two markers with the same phrase ("Re:" and "AW:" in German)
// count as one. A marker with a count ("Re[2]:", "Re^3:", "Fwd[2]:") is
// the marker without it, and is written so. List tags among the markers
// ("Re: [Orchids] Re: Termin") stay where they are and do not end the
// run. The subject is the item whose keyword the "[SUBJECT]" symbol lists,
// as the header handling finds it.
class replyMarkers : public readingRule {
public:
    // Only a line with a keyword may be a subject line.
    explicit replyMarkers(epostSift& filter) : filter_(filter) { showOnlyLinesHolding(taking, holdsKeyword); }

    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;

private:
    epostSift& filter_;
};

}  // namespace postsift
