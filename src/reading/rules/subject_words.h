#pragma once
#include <string>

namespace postsift {

class epostSift;

// The words at the start of a subject that are not the sender's own: reply
// and forward markers, and the tags that mailing lists put before it, in
// any order ("Re: [Orchids] Re: [Choir] AW: Termin").

// The marker a word is, without the count that some programs write into
// it: "Re[2]:" and "Re^2:" are "Re:", "Fwd[3]:" is "Fwd:". Any other word
// is itself.
std::string markerKey(const char* word, const char* end);

// The phrase that the filter list says a marker with: the word (read as
// markerKey) ends in ':' and a word rule replaces it by a phrase without
// "%s" ("Re:" by "Reply:"). Null when the word is no marker.
const char* markerPhrase(epostSift& filter, const char* word, const char* end);

// Just past the list tag that begins at `from` ("[Orchids]", "[use Perl]"),
// which a blank or the end of the text follows; null when none begins
// there. A tag names a list: a short run with a letter, without a colon
// ("[was: old subject]" is none) and without brackets inside.
const char* listTagEnd(const char* from, const char* end);

}  // namespace postsift
