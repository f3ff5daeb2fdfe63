#include <cstring>

#include "email/email_scanner.h"
#include "reading/lines/keyword_format.h"
#include "reading/lines/mime_boundary.h"
#include "reading/pass/rule_table.h"
#include "reading/rules/short_date_names.h"
#include "email/text_trims.h"
#include "filter/epost_sift.h"
#include "filter/option_value.h"
#include "support/ascii_search.h"
#include "support/reserved_names.h"
#include "support/trace.h"

namespace postsift {

filterEntry* epostSift::findFilterEntry(const char* key) {
    if (filterList == nullptr || key == nullptr) return nullptr;
    // The options are asked for at every word of quoted and forwarded text.
    if (isReservedOptionKey(key)) return findReservedName(filterList, key, filterListIndex);
    return findException(filterList, makeSearchWord(key), filterListIndex);
}

int epostSift::addHeaderItemWord(const char* word, int isForwarded) {
    if (word == nullptr) return 0;
    if (isForwarded != 0) {
        // Forwarded header words need the option; an entry without a value
        // lets them through.
        const filterEntry* option = findFilterEntry(optionIncludeForwardedHeaders);
        if (option == nullptr || (option->value() != nullptr && !valueSaysTrue(*option))) return 0;
    }
    int result = 0;
    const char* piece = nullptr;
    std::size_t pieceLength = 0;
    const filterEntry* entry = findFilterEntry(word);
    if (entry != nullptr && ruleLeftToDates(*this, *entry)) entry = nullptr;
    if (entry == nullptr) {
        piece = word;
        pieceLength = tokenTextLength(word);
    } else if (entry->kind() == PLAIN && holdsFilling(entry->value())) {
        // A keyword's phrase speaks an item, never a word of one: a subject
        // "Date: moved" keeps its "Date:".
        piece = word;
        pieceLength = tokenTextLength(word);
    } else if (entry->kind() == PLAIN || entry->kind() == REPLACE_WORD) {
        piece = entry->value();
        pieceLength = entry->valueLength();
    } else if (entry->kind() != REMOVE_WORD) {
        result = 2;  // a line or section rule has no place inside an item
    }
    // Another kind's phrase that replaces a word says nothing for its "%s".
    if (piece != nullptr && piece != word && holdsFilling(piece)) {
        if (!appendKeywordPhrase(headerItemText, piece, "")) result = 2;
    } else if (piece != nullptr && !headerItemText.append(piece, pieceLength)) {
        result = 2;
    }
    // A word of blanks only does not end the date that came before it.
    if (word[std::strspn(word, " ")] != '\0') dateCompleted = 0;
    return result;
}

namespace {

// With dates said in words, no item ends in "!" for its figures: that was
// for dates read as figures ("13.01.2003!"), and a date said in words, or a
// subject that ends in a number, ends its sentence with a full stop.
bool datesInWords(epostSift& filter) {
    const filterEntry* option = findReservedName(filter.filterList, optionSpeakDates, filter.filterListIndex);
    return option != nullptr && valueSaysTrue(*option);
}

// A spoken keyword item: silent while the leading header feeds the summary.
int speakItem(epostSift& filter, const filterEntry& keyword) {
    if (filter.bodyStarted == 0 && reservedSymbol(filter, symbolHeader) != nullptr) return 2;
    return appendKeywordPhrase(filter.filteredText, keyword.value(), filter.headerItemText.get()) ? 0 : 2;
}

// Section rules switch the body on and off by what the item contains. Media
// types, dispositions and parameter names are case-blind ("TEXT/PLAIN" is
// text/plain), so the condition is found whatever the case of its letters.
int applySectionRule(epostSift& filter, const filterEntry& rule, bool keepWhenFound) {
    if (rule.condition() != nullptr) {
        const ownedText& item = filter.headerItemText;
        const char* condition = rule.condition();
        const bool found = containsIgnoringCase(item.get(), item.length(), condition, std::strlen(condition));
        filter.sectionRemoved = found == keepWhenFound ? 0 : 1;
    }
    return 0;
}

}  // namespace

int epostSift::completeHeaderItem() {
    int result = 2;
    if (!headerItemText.isNull()) {
        boundaryValue boundary;
        const bool hasBoundary = findMimeBoundary(headerItemText.data(), boundary);
        headerItemText.resyncLength();  // a quoted boundary cuts the item text
        if (hasBoundary && mimeBoundary.assign(boundary.start, boundary.length))
            traceMessage("epostSift::completeHeaderItem(): MIME Boundary = %s", mimeBoundary.get());

        if (currentSymbol != nullptr) currentSymbol->setHeaderText(headerItemText.get());

        if (currentFilterEntry != nullptr) {
            switch (currentFilterEntry->kind()) {
                case PLAIN:
                case REPLACE_LINE: result = speakItem(*this, *currentFilterEntry); break;
                case REMOVE_LINE: result = 0; break;
                case REMOVE_SECTION: result = applySectionRule(*this, *currentFilterEntry, false); break;
                case KEEP_SECTION: result = applySectionRule(*this, *currentFilterEntry, true); break;
                case REMOVE_WORD:
                case REPLACE_WORD: result = 2; break;
            }
        }
        if (result == 0 && !endSentence(filteredText, !datesInWords(*this))) result = 2;
    }
    headerItemText.release();
    dateCompleted = 0;
    return result;
}

}  // namespace postsift
