#include "reading/pass/rule_table.h"

#include <cstring>

#include "filter/epost_sift.h"
#include "filter/option_value.h"

namespace postsift {

namespace {

// The order is the order in which the rules see a line, at each stage. It
// matters where two rules may want one line:
// - initials, other quote marks and armour first: they change how the
//   others read a line;
// - a signature before the earlier messages and forwards: a block of header
//   lines under "-- " is the signature's;
// - a digest's messages after the signature, which ends where one begins,
//   and before the earlier messages, which would take a message's header
//   lines for one;
// - the earlier messages before the forwards, which read the first one's
//   judgement (and leave it the lines of a forward);
// - the attribution after them, the header lines of the body after that,
//   then what is written as text, and last what adjusts written text (a
//   dash said as a pause before the runs of symbols are left out);
// - the list tags, which adjust a subject line written by the markers;
// - blocks of code said in a phrase before links and symbols, which would
//   rewrite their lines;
// - boilerplate after the rules that find where a text ends (a signature,
//   an earlier message, a forward) and before those that write text;
// - what was left out is said last, when every rule has counted its own.
// The last column marks the rules that only rewrite the words of lines as
// they are written (dates, runs of symbols) or join the lines of a
// paragraph, which never joins a quote to a line that is heard (lines of
// another depth, or whose text begins with '>', go on no other): their
// work on a quote that nobody hears goes unheard with it. The signs that
// carry meaning are not such a rule (a list's labels are counted through
// quotes), nor are links (what is said of a link hangs on the links
// before it).
const ruleRow rows[] = {
    {optionFindOriginalMessage, makeInitialsQuote, lineFate::text, false},
    {optionFindOriginalMessage, makeOtherQuoteMarks, lineFate::leftOut, false},
    {optionDropSignedArmour, makeSignedArmour, lineFate::leftOut, false},
    {optionDropSignature, makeSignatureBlock, lineFate::leftOut, false},
    {optionReadDigests, makeDigestMessages, lineFate::forwardRead, true},
    {optionFindOriginalMessage, makeOriginalMessageFinder, lineFate::earlierMessage, false},
    {optionReadForwardedMessages, makeForwardedMessages, lineFate::forwardRead, true},
    {optionDropAttribution, makeAttributionLines, lineFate::attribution, false},
    {optionLeaveOutBoilerplate, makeBoilerplate, lineFate::leftOut, true},
    {optionSpeakDates, makeSpokenDates, lineFate::keywordLine, true, true},
    {optionSqueezeReplyMarkers, makeReplyMarkers, lineFate::keywordLine, true},
    {optionSpeakNames, makeSpokenNames, lineFate::keywordLine, true},
    {optionSpeakListTags, makeListTags, lineFate::keywordLine, true},
    {optionSummarizeCode, makeCodeBlocks, lineFate::announced, false},
    {optionSpeakLinks, makeLinkSpeech, lineFate::text, false},
    {optionReadSymbols, makeMeaningfulSymbols, lineFate::text, false},
    {optionQuietSymbols, makeSymbolRuns, lineFate::text, false, true},
    {optionReadParagraphs, makeParagraphReading, lineFate::text, false, true},
    {optionSayWhatWasLeftOut, makeLeftOutSentence, lineFate::text, false},
};

static_assert(sizeof rows / sizeof rows[0] <= mostRules, "the pass keeps a list of each row's rule in room of its own");

}  // namespace

const ruleRow* ruleRows(std::size_t& count) {
    count = sizeof rows / sizeof rows[0];
    return rows;
}

bool isReadingOption(const char* key) {
    for (const ruleRow& row : rows)
        if (std::strcmp(row.option, key) == 0) return true;
    return false;
}

// The same search as findFilterEntry, but not through the operation table:
// a filter that overrides the grammar operations sees the same calls, in the
// same order, whether these options exist or not. Through the filter list's
// index, as every message asks for each of them.
const filterEntry* ruleSetting::entry(const char* name) const {
    return reservedOption(filter, name);
}

bool ruleSetting::isOn(const char* option) const {
    const filterEntry* found = entry(option);
    return found != nullptr && valueSaysTrue(*found);
}

}  // namespace postsift
