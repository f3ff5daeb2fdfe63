#include "reading/pass/reading_options.h"

#include "filter/epost_sift.h"
#include "filter/option_value.h"
#include "support/reserved_names.h"

namespace postsift {

namespace {

// The same search as findFilterEntry, but not through the operation table:
// a filter that overrides the grammar operations sees the same calls, in the
// same order, whether these options exist or not. Through the filter list's
// index, as every message asks for each of them.
const filterEntry* optionEntry(epostSift& filter, const char* option) {
    return filter.filterList != nullptr ? findReservedName(filter.filterList, option, filter.filterListIndex) : nullptr;
}

bool isOn(epostSift& filter, const char* option) {
    const filterEntry* entry = optionEntry(filter, option);
    return entry != nullptr && valueSaysTrue(*entry);
}

}  // namespace

readingOptions readingOptionsOf(epostSift& filter) {
    readingOptions options;
    options.speakLinks = isOn(filter, optionSpeakLinks);
    options.dropSignature = isOn(filter, optionDropSignature);
    options.dropSignedArmour = isOn(filter, optionDropSignedArmour);
    options.squeezeReplyMarkers = isOn(filter, optionSqueezeReplyMarkers);
    options.dropAttribution = isOn(filter, optionDropAttribution);
    options.findOriginalMessage = isOn(filter, optionFindOriginalMessage);
    options.readForwardedMessages = isOn(filter, optionReadForwardedMessages);
    options.speakDates = isOn(filter, optionSpeakDates);
    options.readParagraphs = isOn(filter, optionReadParagraphs);
    options.quietSymbols = isOn(filter, optionQuietSymbols);
    if (options.dropAttribution) {
        const filterEntry* text = optionEntry(filter, optionIncludeForwardedText);
        options.quotedTextLeftOut = text != nullptr && text->value() != nullptr && !valueSaysTrue(*text);
    }
    return options;
}

}  // namespace postsift
