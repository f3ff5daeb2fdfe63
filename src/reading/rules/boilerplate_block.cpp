#include "reading/rules/boilerplate_block.h"

#include <string>
#include <vector>

#include "reading/rules/boilerplate_words.h"
#include "reading/rules/list_identity.h"

namespace postsift {

namespace {

// A list's footer is a few lines; under a rule line it may hold a few more.
const std::size_t longestTrailer = 6;
const std::size_t longestTrailerUnderRule = 15;
// An advert under a rule line, and a virus check, are short; a sponsor's
// block says little.
const std::size_t longestAdvert = 6;
const std::size_t mostSponsorWords = 50;
const std::size_t longestVirusNote = 4;
// A contact block is at most ten lines (with the sign-off and name above it,
// twelve); a line of a footer is short.
const std::size_t longestContactBlock = 10;
const std::size_t linesLookedAtOne = 12;
const std::size_t longestFooterLine = 300;
// A disclaimer this short must say three of the things disclaimers say.
const std::size_t shortDisclaimer = 20;

// What a short block's lines each are.
struct lineNote {
    const char* begin;
    std::size_t words;
    bool footer;  // a link, an address, or the list's name
    bool colon;   // it ends with ':', introducing what follows
    bool notice;  // a notice of its own
    bool named;   // the list's host, address, name or description
    bool linked;  // a link or an address to the list's host
    bool own;     // the list's name or description
    unsigned contact;
    bool sentence;
    bool signOff;
    bool name;
};

bool endsWithColon(const messageLine& line) {
    const char* end = trimBlanks(line.content, line.end);
    return end > line.content && end[-1] == ':';
}

bool endsBlock(const lineFacts& first, const lineFacts& next, passState& state, const blockContext& context) {
    return next.blank || next.line.depth != first.line.depth || next.separator != separatorKind::none ||
           isRuleLine(next.line) || isAutomaticLine(next.line) || state.boundaries.isBoundaryLine(next.line) ||
           (context.signatureLines && isSignatureLine(next.line)) || beginsQuote(next, state);
}

// Lines [from, to) of the notes: a contact block of a signature. Most of
// its lines are contact lines, of two kinds at least (a list of phone
// numbers is not a signature), and none is a sentence of prose.
bool isContactBlock(const std::vector<lineNote>& notes, std::size_t from, std::size_t to) {
    const std::size_t count = to - from;
    if (count < 2 || count > longestContactBlock) return false;
    std::size_t contactLines = 0;
    unsigned kinds = 0;
    for (std::size_t i = from; i < to; ++i) {
        const lineNote& note = notes[i];
        if (note.sentence && (note.contact & contactQuote) == 0) return false;
        if (note.contact == 0) continue;
        ++contactLines;
        // A quotation may stand in a signature, but does not make one.
        kinds |= note.contact & ~static_cast<unsigned>(contactQuote);
    }
    unsigned distinct = 0;
    for (unsigned bits = kinds; bits != 0; bits &= bits - 1) ++distinct;
    return contactLines >= 2 && 2 * contactLines > count && distinct >= 2;
}

}  // namespace

bool beginsQuote(const lineFacts& line, passState& state) {
    lineFacts next;
    return endsWithColon(line.line) && state.lines.next(line, next) && next.line.depth > line.line.depth;
}

bool isSignatureLine(const messageLine& line) { return line.contentIs("-- ", false) || line.contentIs("--", false); }

blockVerdict judgeBlock(const lineFacts& first, passState& state, const blockContext& context) {
    blockVerdict verdict;
    verdict.end = first.line.next;
    if (isRuleLine(first.line)) {
        verdict.kind = blockKind::rule;
        blockWords title;
        title.addLine(foldedContent(first.line));
        verdict.sponsorTitle = title.sponsorWord();
        return verdict;
    }
    if (isAutomaticLine(first.line)) {
        verdict.kind = blockKind::automatic;
        return verdict;
    }

    blockWords words;
    blockWords opening;  // the first line's alone: a disclaimer says what it is from the start
    std::vector<lineNote> notes;
    std::size_t count = 0;
    bool anyLink = false;
    bool allLinkOnly = true;
    bool listNamed = false;      // a line names the list
    lineFacts line = first;
    for (;;) {
        const std::string folded = foldedContent(line.line);
        words.addLine(folded);
        if (count == 0) {
            opening.addLine(folded);
            opening.finish();
        }
        ++count;
        const bool link = holdsLinkOrAddress(folded, line.hasLink);
        const bool linkOnly = isLinkOnlyLine(folded, line.hasLink);
        anyLink = anyLink || link;
        allLinkOnly = allLinkOnly && linkOnly;
        bool named = false;
        bool linked = false;
        bool own = false;
        if (count <= longestTrailerUnderRule && folded.size() <= longestFooterLine && context.list.known()) {
            named = context.list.namedIn(folded) && context.list.linksOnlyToList(folded);
            linked = link && context.list.hostIn(folded);
            own = context.list.nameIn(folded);
            listNamed = listNamed || named;
        }
        if (count <= linesLookedAtOne)
            notes.push_back({line.line.begin, wordCount(folded), link || named, endsWithColon(line.line),
                             isNoticeLine(folded), named, linked, own,
                             contactKindOf(folded, line.hasLink), isSentenceLine(folded), isSignOffLine(folded),
                             isNameLine(line.line)});
        lineFacts next;
        if (!state.lines.next(line, next) || endsBlock(first, next, state, context)) break;
        line = next;
    }
    words.finish();
    verdict.end = line.line.next;
    verdict.endsWithColon = endsWithColon(line.line);

    // What the sender introduces ("Here is the clause we agreed on:") is
    // the sender's, whatever it says.
    const bool introduced = context.afterColon;
    const int sides = words.disclaimerSides();
    if (!introduced && sides >= 2 && words.disclaimerClaim() && (words.words() >= shortDisclaimer || sides >= 3) &&
        opening.disclaimerSides() > 0) {
        verdict.kind = blockKind::disclaimer;
        return verdict;
    }
    const bool underRule = context.afterRule && count <= longestTrailerUnderRule;
    if (!underRule && count <= linesLookedAtOne && context.list.known()) {
        // Without a rule line above it, the footer is the last lines of the
        // paragraph, each of which names the list, one with a link or an
        // address to it and one by its name: a link to the list's host
        // alone may be the sender's (a newsletter links to its own site
        // throughout). Lines of the sender's above it stay.
        std::size_t from = count;
        bool linked = false;
        bool own = false;
        while (from > 0 && notes[from - 1].named) {
            --from;
            linked = linked || notes[from].linked;
            own = own || notes[from].own;
        }
        if (from < count && count - from <= longestTrailer && linked && (own || words.listWords())) {
            if (from == 0) {
                verdict.kind = blockKind::listTrailer;
                verdict.listsOwn = true;
            } else {
                verdict.end = notes[from].begin;
            }
            return verdict;
        }
    }
    if ((underRule && listNamed) || (underRule && words.listWords() && anyLink)) {
        verdict.kind = blockKind::listTrailer;
        verdict.listsOwn = underRule && listNamed;
        // "R" or "Cheers, Rob" right above the footer, in its paragraph,
        // is the sender's.
        std::size_t own = 0;
        while (own < notes.size() && !notes[own].footer && !notes[own].colon &&
               (notes[own].signOff || notes[own].name || notes[own].words <= 2))
            ++own;
        if (own > 0 && own < notes.size() && notes[own].footer) {
            verdict.kind = blockKind::text;
            verdict.end = notes[own].begin;
            verdict.endsWithColon = false;
        }
        return verdict;
    }
    if ((words.sponsor() || (context.afterRule && (context.sponsorTitle || words.sponsorWord()))) && anyLink &&
        count <= longestTrailerUnderRule && words.words() <= mostSponsorWords) {
        verdict.kind = blockKind::sponsor;
        return verdict;
    }
    if (!introduced && words.noticeWords() > 0 && 2 * words.noticeWords() >= words.words() && !words.firstPerson()) {
        verdict.kind = blockKind::notice;
        return verdict;
    }
    if (!introduced && count <= linesLookedAtOne) {
        // Notice lines first or last in a block of text go on their own.
        std::size_t lead = 0;
        while (lead < count && notes[lead].notice) ++lead;
        std::size_t trail = count;
        while (trail > 0 && notes[trail - 1].notice) --trail;
        if (lead > 0 && lead < count) {
            verdict.kind = blockKind::notice;
            verdict.end = notes[lead].begin;
            verdict.endsWithColon = false;
            return verdict;
        }
        if (trail > 0 && trail < count) {
            verdict.end = notes[trail].begin;
            verdict.endsWithColon = notes[trail - 1].colon;
            return verdict;
        }
    }
    if (context.afterRule && anyLink && count <= longestAdvert && words.words() <= mostSponsorWords &&
        words.signupAdvert()) {
        verdict.kind = blockKind::advert;
        return verdict;
    }
    if (words.virusCheck() && count <= longestVirusNote) {
        verdict.kind = blockKind::automatic;
        return verdict;
    }
    if (context.contacts && count <= linesLookedAtOne) {
        // The sign-off and the name stay; the block under them goes.
        std::size_t from = 0;
        if (notes[0].signOff) from = 1;
        if (from < count && notes[from].name && notes[from].contact == 0) ++from;
        if (isContactBlock(notes, from, count) && (from > 0 || !introduced)) {
            if (from == 0) {
                verdict.kind = blockKind::contact;
            } else {
                verdict.end = notes[from].begin;
                verdict.endsWithColon = false;
            }
            return verdict;
        }
    }
    if (allLinkOnly && count <= 3) verdict.kind = blockKind::linkOnly;
    return verdict;
}

}  // namespace postsift
