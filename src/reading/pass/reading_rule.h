#pragma once
#include <cstddef>

#include "reading/pass/line_facts.h"
#include "reading/pass/pass_state.h"
#include "reading/pass/reading_output.h"

namespace postsift {

// What became of a line, as the rules after it hear it. Each rule of the
// table takes lines to one fate.
enum class lineFate {
    leftOut,         // left out whole: armour, a signature
    forwardRead,     // it began a forwarded message, whose text is read as the body
    earlierMessage,  // a line where an earlier message begins, or one of its header lines
    attribution,     // an attribution above a quote or an earlier message
    keywordLine,     // a header line of the body, written as the scanner reads one
    text,            // written as text
    header,          // a line of the header block at the top, as a rule or the pass wrote it
    announced,       // of a block said in a phrase of the rule's own (code, a log): the phrase at its first line
};

// What a rule did with a line: where the next line to read begins, or
// nothing when the line goes on to the next rule. A rule may also hand back
// a header line of its own making ([headerLine, headerEnd), line end
// included), which the pass writes as it writes header lines.
struct lineTaken {
    const char* next = nullptr;
    const char* headerLine = nullptr;
    const char* headerEnd = nullptr;

    static lineTaken passed() { return {}; }
    static lineTaken upTo(const char* next) { return {next, nullptr, nullptr}; }
};

// A rule of the reading pass. Each line goes through three stages, and at
// each the rules of the table in their order:
//
// 1. observe: every rule sees the line, for its bookkeeping. A rule that
//    reads a line otherwise than the scanner (from the '>' of initials, past
//    the "- " of signed text) changes its facts here, and a rule whose
//    judgement others need (an earlier message begins here) puts it in the
//    pass's state.
// 2. take: the first rule that takes the line writes what becomes of it,
//    perhaps with lines after it, or leaves it out; the pass writes a line
//    that no rule takes as text.
// 3. after: every rule hears the line's fate; a rule that adjusts written
//    text (`written` is where the line's text begins in the output) does it
//    here. The lines of the header block at the top go through the rules
//    that read header lines, take and after, with the fate `header`.
//
// When the last line has gone through, every rule may finish: write what
// follows the text (what was left out, said once at the end).
//
// Rules never call one another: what one needs of another's judgement is in
// the state, or in the fate.
class readingRule {
public:
    enum stage { observing, taking, following, stageCount };

    virtual ~readingRule() = default;

    virtual void observe(lineFacts& line, passState& state, readingOutput& out);
    virtual lineTaken take(const lineFacts& line, passState& state, readingOutput& out);
    virtual void after(const lineFacts& line, lineFate fate, std::size_t written, passState& state,
                       readingOutput& out);
    virtual void finish(passState& state, readingOutput& out);

    // Whether the rule reads the field of the header block at the top that
    // `line` begins with the keyword [keyword, keywordEnd), though the
    // scanner says nothing of it (a list's fields). The pass copies a field
    // that the scanner drops and no rule reads as it stands, and works out
    // no facts and calls no rule for its lines: most lines of a header
    // (Received, signatures, X- fields) are such. A field that a rule reads
    // is observed by the rules that read header lines; where the pass may
    // leave it out, that is all that becomes of it: no rule takes it or
    // hears its fate, and its lines come with the facts a field is read by
    // alone (fieldFactsOf), not those of the first look.
    virtual bool readsDroppedField(const messageLine& line, const char* keyword, const char* keywordEnd) const;

    // Whether the rule left a stage to this base, which does nothing there:
    // the pass then calls it no more at that stage.
    bool leftAlone(stage which) const { return leftAlone_[which]; }
    // Whether it left readsDroppedField to this base, which reads none: the
    // pass then asks it no more, where each of a header's many dropped
    // fields would ask every rule that reads header lines.
    bool readsNoDroppedField() const { return readsNoDroppedField_; }
    // Whether the rule is to be shown, at a stage, a line that holds
    // `holdings` (lineHolding bits).
    bool shows(stage which, unsigned holdings) const { return (holdings & wanted_[which]) == wanted_[which]; }

protected:
    // From now on the pass shows the rule, at the stage of taking lines or
    // of hearing their fate, only the lines that hold every bit of
    // `holdings` (0: every line; heldByNoLine: none, until it asks again).
    // Every rule observes every line, as observing may change what a line
    // holds. A rule whose stage does nothing with other lines says so,
    // perhaps only while it waits for something (or, from its observing,
    // for this line alone): most lines hold no keyword, no link, no figure,
    // and some thirty calls a line cost more in calls than in what they do.
    void showOnlyLinesHolding(stage which, unsigned holdings) { wanted_[which] = holdings; }

private:
    bool leftAlone_[stageCount] = {};
    // Noted by the base's answer, as leftAlone_ is by the base's stages.
    mutable bool readsNoDroppedField_ = false;
    unsigned wanted_[stageCount] = {};
};

}  // namespace postsift
