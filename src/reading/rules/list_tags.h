#pragma once
#include <string>

#include "reading/pass/reading_rule.h"

namespace postsift {

class epostSift;

// "[SPEAK LIST TAGS]": the tag that a mailing list puts before a subject
// ("[Orchids] Re: Repotting") is not part of what the sender wrote. It is
// taken out of the subject and said once, after it, as the "[LIST TAG]"
// phrase ("Re: Repotting, on the list Orchids"); with an empty phrase it
// is left out. The tag is the first one among the markers at the start of
// the subject, and the same tag met again there goes too; another one
// ("[ILUG] Re: [OT] ...") is the sender's and stays. A subject that is
// nothing but tags and markers keeps them: they are all it says.
//
// The rule adjusts the subject line as it was written (the markers squeezed
// or not), in the header at the top and in header lines of the body that
// the scanner reads as such. A subject that goes on in folded lines gets
// the phrase after its last one.
class listTags : public readingRule {
public:
    // Until a tag is taken, only a line with a keyword may be a subject
    // line; then the lines that follow tell where the subject ends.
    listTags(epostSift& filter, const char* phrase) : filter_(filter), phrase_(phrase) {
        showOnlyLinesHolding(following, holdsKeyword);
    }

    void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
               readingOutput& out) override;

private:
    void hear(const lineFacts& line, lineFate fate, std::size_t written, passState& state, readingOutput& out);
    bool isSubjectLine(const lineFacts& line, passState& state) const;
    // Takes the tag out of the subject written at `written`; the list's name,
    // or empty when there is no tag to take.
    std::string takeTag(const lineFacts& line, std::size_t written, readingOutput& out) const;
    void sayList(std::size_t written, readingOutput& out);

    epostSift& filter_;
    const char* phrase_;
    std::string list_;  // the tag taken, while its subject goes on in folded lines
};

}  // namespace postsift
