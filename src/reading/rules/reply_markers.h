#pragma once
#include "reading/lines/message_line.h"
#include "reading/pass/reading_output.h"

namespace postsift {

class epostSift;
class filterEntry;

// The reply and forward markers that stack up at the start of a subject
// ("Re: Re: AW: Fwd: Termin"): each phrase is spoken once, where it is
// first met. A marker is a word that ends in ':' and that the filter list
// replaces by a phrase (a word rule, not a keyword's "%s" phrase), so the
// build's own "Re:", "AW:", "Fwd:" or "WG:" and any a configuration adds
// count, and two markers with the same phrase ("Re:" and "AW:" in German)
// count as one.
class replyMarkers {
public:
    explicit replyMarkers(epostSift& filter);

    // Writes a subject line, the repeated markers and their blanks left out,
    // and answers true; answers false, writing nothing, for any other line.
    bool write(const messageLine& line, readingOutput& out);

private:
    const char* phraseOfMarker(const char* word, const char* end);

    epostSift& filter_;
    const filterEntry* subjectSymbol_ = nullptr;  // looked up at the first keyword line
    bool subjectLookedUp_ = false;
};

}  // namespace postsift
