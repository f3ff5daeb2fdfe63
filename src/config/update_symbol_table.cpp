#include "config/entry_list_update.h"
#include "filter/epost_sift.h"
#include "support/trace.h"

namespace postsift {

// Any key is taken as given: the routing is the caller's. A symbol is never
// redefined in place; it is removed first and then added anew at the end.
int epostSift::updateSymbolTable(const char* key, const char* value) {
    traceMessage("epostSift::updateSymbolTable(%s,%s) enter", printable(key), printable(value));
    if (symbolTable == nullptr) traceMessage("epostSift::updateSymbolTable: No entries");

    const int result = key != nullptr ? updateEntryList(*this, symbolTable, key, value, existingKey::refuse) : 2;

    traceMessage("epostSift::updateSymbolTable(%s, %s) exit", printable(key), printable(value));
    if (symbolTable == nullptr) traceMessage("No symbols in the symbol table");
    return result;
}

}  // namespace postsift
