#include "filter/epost_sift.h"
#include "reading/rules/short_date_names.h"

namespace postsift {

// Looks a keyword (or a body word) up in both lists. Quoted and forwarded
// keywords arrive with their '>' prefix, which is skipped for the lookup.
int epostSift::beginHeaderItem(const char* word, int isForwarded) {
    if (word == nullptr) {
        currentFilterEntry = nullptr;
        currentSymbol = nullptr;
        return 0;
    }
    if (isForwarded != 0)
        while (*word == '>' || *word == ' ') ++word;
    // Every body word comes here too: the word is measured and hashed once
    // for both lists.
    const searchWord search = makeSearchWord(word);
    currentFilterEntry = findException(filterList, search, filterListIndex);
    if (currentFilterEntry != nullptr && ruleLeftToDates(*this, *currentFilterEntry)) currentFilterEntry = nullptr;
    currentSymbol = findSymbol(symbolTable, search, symbolKeywordIndex);
    return 0;
}

}  // namespace postsift
