#pragma once
#include <cstddef>

#include "filter/filterlist.h"
#include "filter/text_filter.h"
#include "support/owned_text.h"

namespace postsift {

class keyPlaces;

// The e-mail filter. Its operations continue the table of textFilter in
// slot order (6 to 27); the e-mail grammar calls slots 8 to 25.
//
// The fields are plain data, read and written by the operations that live in
// the config, email and template folders, and by the tests.
class epostSift : public textFilter {
public:
    epostSift() = default;

    int getFilteredText(const char* text, const char** out, unsigned char force) override;  // 0
    int deleteFilter() override;                                                             // 3
    int updateFilter(const char* key, const char* value) override;                           // 5

    virtual char* parseEmailText(const char* text, std::size_t length);   // 6
    virtual void loadBuiltInConfiguration();                              // 7
    virtual int beginHeaderItem(const char* word, int isForwarded);       // 8
    virtual int completeHeaderItem();                                     // 9
    virtual int addHeaderItemWord(const char* word, int isForwarded);     // 10
    virtual int addPlainText(const char* word, int isForwarded);          // 11
    virtual filterEntry* findFilterEntry(const char* key);                // 12
    virtual int completeDate(int isForwarded);                            // 13
    virtual int setDatePart1(const char* text);                           // 14
    virtual int setDatePart2(const char* text);                           // 15
    virtual int setDatePart3(const char* text);                           // 16
    virtual int setDatePart4(const char* text);                           // 17
    virtual int addWordAfterDate(const char* word, int isForwarded);      // 18
    virtual int setAddressId(const char* text);                           // 19
    virtual int setAddressDomain(const char* text);                       // 20
    virtual int completeAddress(int isForwarded);                         // 21
    virtual int completeEntireHeader();                                   // 22
    virtual int beginForwardedSection();                                  // 23
    virtual void trimFilteredText();                                      // 24
    virtual void trimHeaderItemText();                                    // 25
    virtual int updateSymbolTable(const char* key, const char* value);    // 26
    virtual int readConfigFile(const char* path);                         // 27

    // parseEmailText for a text handed over rather than lent: a buffer from
    // malloc, length + scannerEndBytes bytes long (support/scanner_text.h),
    // which the scanner then reads in place and frees, so the text is never
    // held twice. Not a slot.
    char* parseOwnedEmailText(char* buffer, std::size_t length);

    // Declared after every slot so that the table above keeps its order;
    // virtual so that a localizedEpostSift is destroyed soundly as an epostSift.
    virtual ~epostSift();

    ownedText filteredText;
    filterEntry* filterList = nullptr;
    filterEntry* currentFilterEntry = nullptr;
    filterEntry* symbolTable = nullptr;
    filterEntry* currentSymbol = nullptr;
    ownedText headerItemText;
    ownedText datePart1;
    ownedText datePart2;
    ownedText datePart3;
    ownedText datePart4;
    ownedText mimeBoundary;
    ownedText addressId;
    ownedText addressDomain;
    int dateCompleted = 0;
    int sectionRemoved = 0;
    int bodyStarted = 1;
    // How many forwarded messages (message/rfc822 parts) the decoding stage
    // found in the message being filtered: such a message is a forward.
    unsigned forwardedParts = 0;
    // How many messages of a multipart/digest it laid out as a plain-text
    // digest does: such a message is a digest.
    unsigned digestParts = 0;
    // How many parts that were not text (attachments) it left out.
    unsigned attachmentsLeftOut = 0;

    // The searches made for every word of a message go through these; each
    // follows its list by itself, however the list is changed. A search
    // changes nothing that the filter says: a filter read as const searches
    // through them too.
    mutable entryIndex filterListIndex{indexedBy::key};
    mutable entryIndex symbolKeywordIndex{indexedBy::alternative};
    // The symbols that the program names itself, which every message asks
    // for (reservedSymbol).
    mutable entryIndex symbolTableIndex{indexedBy::key};
    // While a configuration file is read: where each key of the two lists
    // sits (see keyPlaces); null otherwise.
    keyPlaces* filterListPlaces = nullptr;
    keyPlaces* symbolTablePlaces = nullptr;
};

// The option or the symbol of a name that the program itself holds (one of
// reserved_names.h, by its address), or null: what findException finds,
// through the list's index rather than a walk over it.
inline filterEntry* reservedOption(const epostSift& filter, const char* name) {
    return filter.filterList != nullptr ? findReservedName(filter.filterList, name, filter.filterListIndex) : nullptr;
}
inline filterEntry* reservedSymbol(const epostSift& filter, const char* name) {
    return filter.symbolTable != nullptr ? findReservedName(filter.symbolTable, name, filter.symbolTableIndex) : nullptr;
}

}  // namespace postsift
