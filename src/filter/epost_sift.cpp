#include "filter/epost_sift.h"

#include <cstring>

#include "support/mutex_lock.h"
#include "support/trace.h"

namespace postsift {

int epostSift::getFilteredText(const char* text, const char** out, unsigned char force) {
    bodyStarted = 0;
    if (isActive() == 0 && force == 0) {
        filteredText.release();
        *out = text;
        return 0;
    }
    // Scanner, parser and the filter they serve are process-wide: one run at
    // a time. A lock that cannot be had does not stop the run.
    lockHolder hold(filterLock());
    *out = parseEmailText(text, text != nullptr ? std::strlen(text) : 0);
    return 0;
}

int epostSift::deleteFilter() {
    delete this;
    return 0;
}

void epostSift::loadBuiltInConfiguration() {}

epostSift::~epostSift() {
    filteredText.release();
    headerItemText.release();
    while (filterList != nullptr) {
        filterEntry* next = filterList->next();
        traceMessage("epostSift::~epostSift(): deleting key '%s'", printable(filterList->key()));
        delete filterList;
        filterList = next;
    }
    destroyEntries(symbolTable);
    symbolTable = nullptr;
}

}  // namespace postsift
