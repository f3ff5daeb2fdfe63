#include "reading/rules/boilerplate_block.h"

#include <algorithm>
#include <new>
#include <type_traits>

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
// twelve).
const std::size_t longestContactBlock = 10;
const std::size_t linesLookedAtOne = 12;
// A disclaimer this short must say three of the things disclaimers say.
const std::size_t shortDisclaimer = 20;

bool endsWithColon(const messageLine& line) {
    const char* end = trimBlanks(line.content, line.end);
    return end > line.content && end[-1] == ':';
}

// Whether the next line ends the block, as far as its facts tell; a line a
// program adds by itself ends it too, which its words tell. A boundary
// counts only if a line up to the block's first declared it: the judge
// sees the boundaries it saw at that line, whenever it judges.
bool endsBlock(const lineFacts& first, const lineFacts& next, passState& state, const blockContext& context) {
    return next.blank || next.line.depth != first.line.depth || next.separator != separatorKind::none ||
           (context.signatureLines && isSignatureLine(next.line)) || isRuleLine(next.line) ||
           state.boundaries.isBoundaryLine(next.line, first.line.begin) || beginsQuote(next);
}

// Room for the facts of a line of a text other than the pass's, made in it
// only when one is asked for: a lineFacts would be cleared for every block
// where nearly every block is of the pass's text.
struct factsRoom {
    alignas(lineFacts) unsigned char bytes[sizeof(lineFacts)];
};
static_assert(std::is_trivially_destructible_v<lineFacts>, "facts made in the room need no end of their own");

// The facts of the line after `line` (of a text that ends at `textEnd`),
// not copied: of the pass's text, where the window keeps them, which hold
// until the window is next asked; behind the pass, where the judge was
// given them (`keptAt` the next to look at) or worked out into `apart`; of
// another text, worked out into `apart`. Null after the last line.
const lineFacts* lineAfter(const messageLine& line, const char* textEnd, passState& state, const blockContext& context,
                           std::size_t& keptAt, factsRoom& apart) {
    if (line.next >= textEnd) return nullptr;
    if (textEnd == state.textEnd && context.kept == nullptr) return &state.lines.at(line.next);
    if (keptAt < context.keptCount && context.kept[keptAt].line.begin == line.next) return &context.kept[keptAt++];
    return new (apart.bytes) lineFacts(factsAt(line.next, textEnd));
}

// The facts of a line worked out when first asked.
enum : unsigned { knowsLink = 1, knowsList = 2, knowsNotice = 4, knowsContact = 8 };

}  // namespace

bool beginsQuote(const lineFacts& line) {
    if (!line.hasColon || !endsWithColon(line.line) || line.isLast()) return false;
    return lineAt(line.line.next, line.textEnd).depth > line.line.depth;
}

bool introducesNext(const messageLine& line) {
    if (!endsWithColon(line)) return false;
    blockWords words(blockWords::personWords::skipped);
    words.addLine(line);
    return !words.lineIsAutomatic();
}

bool isSignatureLine(const messageLine& line) {
    const std::size_t length = static_cast<std::size_t>(line.end - line.content);
    return (length == 2 || (length == 3 && line.content[2] == ' ')) && line.content[0] == '-' &&
           line.content[1] == '-';
}

bool blockJudge::link(std::size_t i) {
    lineNote& note = notes_[i];
    if ((note.known & knowsLink) == 0) {
        note.known |= knowsLink;
        note.link = (note.hasLink || note.hasAt) && holdsLinkOrAddress(note.line, note.hasLink);
    }
    return note.link;
}

// Of a block of linesNoted lines at most, as every verdict that asks is:
// its lines from `from` on.
bool blockJudge::anyLink(std::size_t from) {
    for (std::size_t i = from; i < count_; ++i)
        if (link(i)) return true;
    return false;
}

void blockJudge::lookForList(std::size_t i) {
    lineNote& note = notes_[i];
    if ((note.known & knowsList) != 0) return;
    note.known |= knowsList;
    note.named = note.linked = note.own = false;
    const listIdentity& list = *list_;
    if (static_cast<std::size_t>(note.line.end - note.line.content) > longestFooterLine || !list.known() ||
        !list.mayBeNamedIn(note.line.content, note.line.end))
        return;
    const std::string_view folded = foldContent(note.line, folded_);
    // The list is named by its host (a host inside a link or an address
    // counts), its name or its description.
    const bool host = list.hostIn(folded);
    note.own = list.nameIn(folded);
    note.named = (host || note.own) && list.linksOnlyToList(folded);
    note.linked = host && link(i);
}

bool blockJudge::named(std::size_t i) {
    lookForList(i);
    return notes_[i].named;
}

bool blockJudge::linked(std::size_t i) {
    lookForList(i);
    return notes_[i].linked;
}

bool blockJudge::own(std::size_t i) {
    lookForList(i);
    return notes_[i].own;
}

bool blockJudge::listNamed() {
    for (std::size_t i = 0; i < count_; ++i)
        if (named(i)) return true;
    return false;
}

bool blockJudge::listWords(const blockWords& words) {
    if (words.listWords()) return true;
    for (std::size_t i = 0; i < count_; ++i)
        if (holdsListLink(notes_[i].line)) return true;
    return false;
}

bool blockJudge::notice(std::size_t i) {
    lineNote& note = notes_[i];
    if ((note.known & knowsNotice) == 0) {
        note.known |= knowsNotice;
        note.notice = note.mayBeNotice && isNoticeLine(note.line);
    }
    return note.notice;
}

unsigned blockJudge::contact(std::size_t i) {
    lineNote& note = notes_[i];
    if ((note.known & knowsContact) == 0) {
        note.known |= knowsContact;
        note.contact = contactKindOf(note.line, note.hasLink, note.words);
    }
    return note.contact;
}

bool blockJudge::allLinkOnly() {
    // Whether a line holds a link at all may be known already.
    for (std::size_t i = 0; i < count_; ++i)
        if (!link(i) || !isLinkOnlyLine(notes_[i].line, notes_[i].hasLink)) return false;
    return true;
}

// Lines [from, to): a contact block of a signature. Most of its lines are
// contact lines, of two kinds at least (a list of phone numbers is not a
// signature), and none is a sentence of prose, which is asked first.
bool blockJudge::isContactBlock(std::size_t from, std::size_t to) {
    const std::size_t count = to - from;
    if (count < 2 || count > longestContactBlock) return false;
    for (std::size_t i = from; i < to; ++i)
        if (isSentenceLine(notes_[i].line, notes_[i].words) && !opensQuotation(notes_[i].line)) return false;
    std::size_t contactLines = 0;
    unsigned kinds = 0;
    for (std::size_t i = from; i < to; ++i) {
        // Too few lines are left to make most of the block contact lines.
        if (2 * (contactLines + (to - i)) <= count) return false;
        const unsigned kind = contact(i);
        if (kind == 0) continue;
        ++contactLines;
        // A quotation may stand in a signature, but does not make one.
        kinds |= kind & ~static_cast<unsigned>(contactQuote);
    }
    unsigned distinct = 0;
    for (unsigned bits = kinds; bits != 0; bits &= bits - 1) ++distinct;
    return contactLines >= 2 && 2 * contactLines > count && distinct >= 2;
}

blockVerdict blockJudge::judge(const lineFacts& first, passState& state, const blockContext& context) {
    blockVerdict verdict;
    verdict.end = first.line.next;
    if (isRuleLine(first.line)) {
        verdict.kind = blockKind::rule;
        blockWords title(blockWords::personWords::skipped);
        title.addLine(first.line);
        verdict.sponsorTitle = title.sponsorWord();
        return verdict;
    }
    // One walk over the block's words; of its first lines, what they are.
    // A line is walked before it is known to be of the block: one that a
    // program added by itself ends the block, and its walk is let go.
    static_assert(linesNoted == longestTrailerUnderRule && linesLookedAtOne <= linesNoted,
                  "every line a verdict looks at one by one is noted");
    list_ = &context.list;
    count_ = 0;
    linksNoted_ = false;
    blockWords walks[2] = {blockWords(blockWords::personWords::skipped),
                           blockWords(blockWords::personWords::skipped)};
    int current = 0;
    walks[current].addLine(first.line);
    if (walks[current].lineIsAutomatic()) {
        verdict.kind = blockKind::automatic;
        return verdict;
    }
    openingSides_ = walks[current].disclaimerSides();
    // The lines ahead are read where the window keeps them; what the judge
    // needs of one is taken before the window is asked again.
    messageLine line = first.line;
    bool hasLink = first.hasLink;
    bool hasAt = first.hasAt;
    const char* textEnd = first.textEnd;
    factsRoom apart;
    std::size_t keptAt = 1;
    for (;;) {
        note(line, hasLink, hasAt, walks[current]);
        const lineFacts* next = lineAfter(line, textEnd, state, context, keptAt, apart);
        if (next == nullptr) break;
        const messageLine nextLine = next->line;
        const bool nextLink = next->hasLink;
        const bool nextAt = next->hasAt;
        const char* nextTextEnd = next->textEnd;
        if (endsBlock(first, *next, state, context)) break;
        blockWords& trial = walks[1 - current];
        trial = walks[current];
        trial.addLine(nextLine);
        if (trial.lineIsAutomatic()) break;
        current = 1 - current;
        line = nextLine;
        hasLink = nextLink;
        hasAt = nextAt;
        textEnd = nextTextEnd;
    }
    blockWords& words = walks[current];
    words.finish();
    verdict.end = line.next;
    verdict.endsWithColon = endsWithColon(line);
    if (words.needsPersonWords()) {
        walks[1 - current] = wordsWithPersons(first, state, context);
        return verdictOn(walks[1 - current], verdict, context);
    }
    return verdictOn(words, verdict, context);
}

blockWords blockJudge::wordsWithPersons(const lineFacts& first, passState& state, const blockContext& context) {
    // The block's lines again, as the walk above came to them.
    blockWords words(blockWords::personWords::looked);
    messageLine line = first.line;
    const char* textEnd = first.textEnd;
    factsRoom apart;
    std::size_t keptAt = 1;
    words.addLine(line);
    for (std::size_t i = 1; i < count_; ++i) {
        const lineFacts* next = lineAfter(line, textEnd, state, context, keptAt, apart);
        line = next->line;
        textEnd = next->textEnd;
        words.addLine(line);
    }
    words.finish();
    return words;
}

void blockJudge::note(const messageLine& line, bool hasLink, bool hasAt, const blockWords& words) {
    if (count_ < linesNoted) {
        // What is worked out later is written when it is: only what says
        // so is reset.
        lineNote& note = notes_[count_];
        note.line = line;
        note.hasLink = hasLink;
        note.hasAt = hasAt;
        linksNoted_ = linksNoted_ || hasLink || hasAt;
        note.words = words.lineWords();
        note.mayBeNotice = words.lineMayBeNotice();
        note.signsOff = words.lineSignsOff();
        note.known = 0;
    }
    ++count_;
}

bool blockJudge::saysBoilerplate(const blockWords& words, blockVerdict& verdict, const blockContext& context) {
    const std::size_t count = count_;
    const bool introduced = context.afterColon;
    const int sides = words.disclaimerSides();
    if (!introduced && sides >= 2 && words.disclaimerClaim() && (words.words() >= shortDisclaimer || sides >= 3) &&
        openingSides_ > 0) {
        verdict.kind = blockKind::disclaimer;
        return true;
    }
    const bool underRule = context.afterRule && count <= longestTrailerUnderRule;
    // Without a rule line above it, the footer is the last lines of the
    // paragraph, each of which names the list, one with a link or an
    // address to it and one by its name: a link to the list's host alone
    // may be the sender's (a newsletter links to its own site throughout).
    // Lines of the sender's above it stay. A run longer than a footer is not
    // looked at to its top. Most paragraphs end with no link at all, which
    // tells at once that they end with no footer; the list's names are
    // looked for only in those that do.
    if (!underRule && count <= linesLookedAtOne && context.list.known() &&
        anyLink(count - std::min(count, longestTrailer))) {
        std::size_t from = count;
        bool linkedRun = false;
        bool ownRun = false;
        while (from > 0 && count - from <= longestTrailer && named(from - 1)) {
            --from;
            linkedRun = linkedRun || linked(from);
            ownRun = ownRun || own(from);
        }
        if (from < count && count - from <= longestTrailer && linkedRun && (ownRun || listWords(words))) {
            if (from == 0) {
                verdict.kind = blockKind::listTrailer;
                verdict.listsOwn = true;
            } else {
                verdict.end = notes_[from].line.begin;
            }
            return true;
        }
    }
    if (underRule && (listNamed() || (anyLink() && listWords(words)))) {
        verdict.kind = blockKind::listTrailer;
        verdict.listsOwn = listNamed();
        // "R" or "Cheers, Rob" right above the footer, in its paragraph,
        // is the sender's.
        const std::size_t noted = count < linesLookedAtOne ? count : linesLookedAtOne;
        std::size_t sender = 0;
        while (sender < noted && !footer(sender) && !endsWithColon(notes_[sender].line) &&
               (notes_[sender].signsOff || isNameLine(notes_[sender].line) || notes_[sender].words <= 2))
            ++sender;
        if (sender > 0 && sender < noted && footer(sender)) {
            verdict.kind = blockKind::text;
            verdict.end = notes_[sender].line.begin;
            verdict.endsWithColon = false;
        }
        return true;
    }
    if ((words.sponsor() || (context.afterRule && (context.sponsorTitle || words.sponsorWord()))) &&
        count <= longestTrailerUnderRule && words.words() <= mostSponsorWords && anyLink()) {
        verdict.kind = blockKind::sponsor;
        return true;
    }
    if (!introduced && words.noticeWords() > 0 && 2 * words.noticeWords() >= words.words() && !words.firstPerson()) {
        verdict.kind = blockKind::notice;
        return true;
    }
    if (!introduced && count <= linesLookedAtOne) {
        // Notice lines first or last in a block of text go on their own.
        std::size_t lead = 0;
        while (lead < count && notice(lead)) ++lead;
        std::size_t trail = count;
        while (trail > 0 && notice(trail - 1)) --trail;
        if (lead > 0 && lead < count) {
            verdict.kind = blockKind::notice;
            verdict.end = notes_[lead].line.begin;
            verdict.endsWithColon = false;
            return true;
        }
        if (trail > 0 && trail < count) {
            verdict.end = notes_[trail].line.begin;
            verdict.endsWithColon = endsWithColon(notes_[trail - 1].line);
            return true;
        }
    }
    if (context.afterRule && count <= longestAdvert && words.words() <= mostSponsorWords && words.signupAdvert() &&
        anyLink()) {
        verdict.kind = blockKind::advert;
        return true;
    }
    if (words.virusCheck() && count <= longestVirusNote) {
        verdict.kind = blockKind::automatic;
        return true;
    }
    return false;
}

blockVerdict blockJudge::verdictOn(const blockWords& words, blockVerdict verdict, const blockContext& context) {
    const std::size_t count = count_;
    // What the sender introduces ("Here is the clause we agreed on:") is
    // the sender's, whatever it says.
    const bool introduced = context.afterColon;
    // Most blocks are the sender's text, which the walk tells at once: no
    // word of the lists of boilerplate, no link or address, no rule line
    // above. Of what follows, only a signature's contact lines need none
    // of these.
    const bool plain = !context.afterRule && words.saysNothing() && !linksNoted_;
    if (!plain && saysBoilerplate(words, verdict, context)) return verdict;
    if (context.contacts && count <= linesLookedAtOne) {
        // The sign-off and the name stay; the block under them goes.
        std::size_t from = 0;
        if (notes_[0].signsOff) from = 1;
        // A name's words each begin with a capital, so each is a word the
        // walk counted: a line of more than four, or none, is no name.
        // Under a name, or without one, a contact block is two lines at
        // least: a block with fewer lines left needs no name looked for.
        const bool nameSized = count - from >= 2 && notes_[from].words >= 1 && notes_[from].words <= 4;
        if (nameSized && isNameLine(notes_[from].line) && contact(from) == 0) ++from;
        if (isContactBlock(from, count) && (from > 0 || !introduced)) {
            if (from == 0) {
                verdict.kind = blockKind::contact;
            } else {
                verdict.end = notes_[from].line.begin;
                verdict.endsWithColon = false;
            }
            return verdict;
        }
    }
    if (!plain && count <= 3 && allLinkOnly()) verdict.kind = blockKind::linkOnly;
    return verdict;
}

}  // namespace postsift
