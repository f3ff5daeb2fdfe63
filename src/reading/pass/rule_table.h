#pragma once
#include <cstddef>

#include "reading/pass/reading_rule.h"
#include "reading/pass/rule_room.h"
#include "support/reserved_names.h"

namespace postsift {

class epostSift;
class filterEntry;

// The options of the reading pass, each off unless present with a value
// that holds "true". "[READ FORWARDED MESSAGES]", "[READ PARAGRAPHS]" and
// "[READ DIGESTS]" are named in support/reserved_names.h, as the decoding
// stage reads them too.
inline constexpr char optionSpeakLinks[] = "[SPEAK LINKS]";
inline constexpr char optionDropSignature[] = "[DROP SIGNATURE]";
inline constexpr char optionDropSignedArmour[] = "[DROP SIGNED ARMOUR]";
inline constexpr char optionSqueezeReplyMarkers[] = "[SQUEEZE REPLY MARKERS]";
inline constexpr char optionDropAttribution[] = "[DROP ATTRIBUTION]";
inline constexpr char optionFindOriginalMessage[] = "[FIND ORIGINAL MESSAGE]";
inline constexpr char optionSpeakDates[] = "[SPEAK DATES]";
inline constexpr char optionQuietSymbols[] = "[QUIET SYMBOLS]";
inline constexpr char optionReadSymbols[] = "[READ SYMBOLS]";
inline constexpr char optionSpeakNames[] = "[SPEAK NAMES]";
inline constexpr char optionSpeakListTags[] = "[SPEAK LIST TAGS]";
inline constexpr char optionSummarizeCode[] = "[SUMMARIZE CODE]";
inline constexpr char optionLeaveOutBoilerplate[] = "[LEAVE OUT BOILERPLATE]";
inline constexpr char optionSayWhatWasLeftOut[] = "[SAY WHAT WAS LEFT OUT]";

// What a rule is made with, once per message.
class ruleSetting {
public:
    explicit ruleSetting(epostSift& filter) : filter(filter) {}

    epostSift& filter;
    // Whether an option is on, read as the pass reads its own.
    bool isOn(const char* option) const;
    // The filter-list entry of a reserved name, or null.
    const filterEntry* entry(const char* name) const;
};

using ruleMaker = readingRule* (*)(const ruleSetting&, ruleRoom&);

// One row per rule, in the order the rules see each line.
struct ruleRow {
    const char* option;  // the option that turns the rule on
    ruleMaker make;
    lineFate fate;       // what becomes of a line the rule takes
    bool headerLines;    // it also reads the header lines that the pass writes as such
    // What it does on hearing the fate of a line written as quoted text
    // that nobody hears is lost with that line: the pass does not call it
    // there (see writtenAsUnheardQuote).
    bool idleOnUnheardQuotes = false;
};

// The table, of at most mostRules rows.
const ruleRow* ruleRows(std::size_t& count);
// Whether a key names an option of the table.
bool isReadingOption(const char* key);

// The makers of the rules, each defined beside its rule in reading/rules/.
readingRule* makeInitialsQuote(const ruleSetting& setting, ruleRoom& room);
readingRule* makeOtherQuoteMarks(const ruleSetting& setting, ruleRoom& room);
readingRule* makeSignedArmour(const ruleSetting& setting, ruleRoom& room);
readingRule* makeOriginalMessageFinder(const ruleSetting& setting, ruleRoom& room);
readingRule* makeForwardedMessages(const ruleSetting& setting, ruleRoom& room);
readingRule* makeSignatureBlock(const ruleSetting& setting, ruleRoom& room);
readingRule* makeDigestMessages(const ruleSetting& setting, ruleRoom& room);
readingRule* makeAttributionLines(const ruleSetting& setting, ruleRoom& room);
readingRule* makeSpokenDates(const ruleSetting& setting, ruleRoom& room);
readingRule* makeReplyMarkers(const ruleSetting& setting, ruleRoom& room);
readingRule* makeLinkSpeech(const ruleSetting& setting, ruleRoom& room);
readingRule* makeMeaningfulSymbols(const ruleSetting& setting, ruleRoom& room);
readingRule* makeSymbolRuns(const ruleSetting& setting, ruleRoom& room);
readingRule* makeParagraphReading(const ruleSetting& setting, ruleRoom& room);
readingRule* makeSpokenNames(const ruleSetting& setting, ruleRoom& room);
readingRule* makeListTags(const ruleSetting& setting, ruleRoom& room);
readingRule* makeCodeBlocks(const ruleSetting& setting, ruleRoom& room);
readingRule* makeBoilerplate(const ruleSetting& setting, ruleRoom& room);
readingRule* makeLeftOutSentence(const ruleSetting& setting, ruleRoom& room);

}  // namespace postsift
