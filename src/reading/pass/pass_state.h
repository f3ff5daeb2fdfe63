#pragma once
#include <cstddef>
#include <cstdint>

#include "reading/lines/part_boundaries.h"
#include "reading/pass/line_window.h"

namespace postsift {

class epostSift;
class filterEntry;

// What the rules of the pass share: the message's lines, what the message
// has said so far, and the judgements of this line that a rule puts here for
// the rules after it.
struct passState {
    passState(epostSift& filter, const char* textEnd) : filter(filter), textEnd(textEnd), lines(textEnd) {}

    epostSift& filter;
    const char* const textEnd;
    lineWindow lines;
    // The MIME boundaries that the message declares, so far.
    partBoundaries boundaries;

    // The judgements of the line being read, cleared before each.
    struct lineNews {
        bool armour = false;                // armour of a signed message: no line of text
        bool earlierMessageBegins = false;  // an earlier message begins at it
        bool forwardBegins = false;         // a forwarded message to be read begins at it
        bool digestMessageBegins = false;   // a message of a digest begins at it
        bool listItem = false;              // an item of a list (a contents list): a line of its own, never joined
    } news;
    // What the reading left out so far, for the sentence that says so: each
    // rule that leaves something out counts it here.
    struct leftOutRecord {
        unsigned signatures = 0;
        unsigned listFooters = 0;
        unsigned advertisements = 0;
        unsigned notices = 0;  // why the reader gets the mail, how to stop it
        unsigned disclaimers = 0;
    } leftOut;

    // What a line's characters make it: a line a program wrote, one that can
    // begin a block of code. The code blocks and the paragraphs ask it of
    // the same lines, often well ahead of the pass; it is kept for the
    // lines judged last, by where a line's text begins (after its quote
    // prefix, as its facts are taken).
    struct lineVerdicts {
        struct verdict {
            const char* text = nullptr;
            bool machine = false;
            bool beginsBlock = false;
        };
        static constexpr std::size_t kept = 64;
        verdict& slot(const char* text) { return of[reinterpret_cast<std::uintptr_t>(text) % kept]; }
        verdict of[kept];
    } verdicts;

    // The symbols of the summary's sender, date and subject, looked up once.
    const filterEntry* subjectSymbol();
    const filterEntry* dateSymbol();
    // The symbol whose keyword the line's is (as findSymbol finds it), null
    // when none or when the line has no keyword: several rules ask it of
    // the same line, which is looked up once.
    const filterEntry* keywordSymbol(const lineFacts& line);
    // Whether the scanner keeps nothing of a header item with the keyword
    // [keyword, keywordEnd): the keyword has neither an entry in the filter
    // list nor a symbol, so the item's words go nowhere.
    bool scannerDropsItem(const char* keyword, const char* keywordEnd);

private:
    const filterEntry* lookedUp(const char* symbol, const filterEntry*& entry, bool& looked);

    const filterEntry* subject_ = nullptr;
    const filterEntry* date_ = nullptr;
    bool subjectLooked_ = false;
    bool dateLooked_ = false;
    const char* keyword_ = nullptr;  // the keyword last looked up, and its end
    const char* keywordEnd_ = nullptr;
    const filterEntry* keywordSymbol_ = nullptr;
};

}  // namespace postsift
