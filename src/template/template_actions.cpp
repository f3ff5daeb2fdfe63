#include <cstring>

#include "filter/filterlist.h"
#include "template/template_evaluation.h"

namespace postsift {
namespace {

void releaseSubstitution(filterEntry& entry) {
    entry.conditionSymbol().release();
    entry.thenText().release();
    entry.elseText().release();
}

// Every append ends the substitution being read, whatever was appended.
void appendToResult(filterEntry& entry, const char* text) {
    // A result that cannot grow is dropped as a whole rather than left cut
    // short; later text starts a new result.
    if (!entry.templateResult().append(text)) entry.templateResult().release();
    releaseSubstitution(entry);
}

}  // namespace

void appendTemplateText(const char* text) {
    if (currentTemplate.entry != nullptr) appendToResult(*currentTemplate.entry, text);
}

void takeConditionSymbol(const char* text) {
    if (currentTemplate.entry != nullptr) currentTemplate.entry->conditionSymbol().assign(text);
}

void takeThenText(const char* text) {
    if (currentTemplate.entry != nullptr) currentTemplate.entry->thenText().assign(text);
}

void takeElseText(const char* text) {
    if (currentTemplate.entry != nullptr) currentTemplate.entry->elseText().assign(text);
}

// A substitution whose symbol is not in the table adds nothing, and its texts
// stay until the next substitution replaces them.
void completeSubstitution() {
    filterEntry* entry = currentTemplate.entry;
    if (entry == nullptr || entry->conditionSymbol().isNull()) return;
    const filterEntry* symbol = findException(entry->templateSymbols(), entry->conditionSymbol().get());
    if (symbol == nullptr) return;
    // An empty capture still counts: the header had the item.
    appendToResult(*entry, symbol->headerText() != nullptr ? entry->thenText().get()
                                                            : entry->elseText().get());
}

}  // namespace postsift
