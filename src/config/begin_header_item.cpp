#include "filter/epost_sift.h"

namespace postsift {

// Looks a keyword (or a body word) up in both lists. Quoted and forwarded
// keywords arrive with their '>' prefix, which is skipped for the lookup.
int epostSift::beginHeaderItem(const char* word, int isForwarded) {
    if (isForwarded != 0 && word != nullptr)
        while (*word == '>' || *word == ' ') ++word;
    currentFilterEntry = findException(filterList, word);
    currentSymbol = findSymbol(symbolTable, word);
    return 0;
}

}  // namespace postsift
