#include "reading/pass/pass_state.h"

#include "filter/epost_sift.h"
#include "support/reserved_names.h"

namespace postsift {

const filterEntry* passState::lookedUp(const char* symbol, const filterEntry*& entry, bool& looked) {
    if (!looked) {
        entry = reservedSymbol(filter, symbol);
        looked = true;
    }
    return entry;
}

const filterEntry* passState::subjectSymbol() { return lookedUp(symbolSubject, subject_, subjectLooked_); }
const filterEntry* passState::dateSymbol() { return lookedUp(symbolDate, date_, dateLooked_); }

const filterEntry* passState::keywordSymbol(const lineFacts& line) {
    if (line.keywordEnd == nullptr) return nullptr;
    if (line.keyword != keyword_ || line.keywordEnd != keywordEnd_) {
        keyword_ = line.keyword;
        keywordEnd_ = line.keywordEnd;
        keywordSymbol_ = findSymbol(filter.symbolTable, makeSearchWord(line.keyword, line.keywordEnd), filter.symbolKeywordIndex);
    }
    return keywordSymbol_;
}

bool passState::scannerDropsItem(const char* keyword, const char* keywordEnd) {
    // Looked up as the scanner looks a keyword up when an item begins. The
    // symbol is kept: the rules ask it of the same keyword when the item
    // is not dropped.
    const searchWord search = makeSearchWord(keyword, keywordEnd);
    keyword_ = keyword;
    keywordEnd_ = keywordEnd;
    keywordSymbol_ = findSymbol(filter.symbolTable, search, filter.symbolKeywordIndex);
    return keywordSymbol_ == nullptr &&
           (filter.filterList == nullptr || findException(filter.filterList, search, filter.filterListIndex) == nullptr);
}

}  // namespace postsift
