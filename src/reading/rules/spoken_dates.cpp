#include "reading/rules/spoken_dates.h"

#include "filter/epost_sift.h"
#include "reading/dates/date_speaking.h"
#include "reading/lines/original_headers.h"
#include "support/reserved_names.h"

namespace postsift {

bool spokenDates::isDateKeyword(const messageLine& line, const char* keyword, const char* keywordEnd) {
    originalField field = originalField::other;
    const char* value = nullptr;
    if (line.depth == 0 && readOriginalHeader(line, field, value) && field == originalField::date) return true;
    if (filter_.symbolTable == nullptr) return false;
    if (!looked_) {
        dateSymbol_ = findException(filter_.symbolTable, symbolDate);
        looked_ = true;
    }
    if (dateSymbol_ == nullptr) return false;
    const std::string name(keyword, keywordEnd);
    return filter_.symbolKeywordIndex.find(filter_.symbolTable, makeSearchWord(name.c_str())) == dateSymbol_;
}

bool spokenDates::say(const std::string& text, std::string& spoken) const {
    return speakDateText(text.data(), text.size(), words_, spoken);
}

bool spokenDates::write(const messageLine& line, readingOutput& out) {
    const char* keyword = nullptr;
    const char* afterKeyword = headerKeywordEnd(line, keyword);
    if (afterKeyword == nullptr) {
        // "Envoyé :", "*Sent:*": an original header line the scanner would
        // not take for one; it is written plainly elsewhere.
        return false;
    }
    if (!isDateKeyword(line, keyword, afterKeyword)) return false;
    std::string spoken;
    const char* value = skipBlanks(afterKeyword, line.end);
    if (!speakDateText(value, static_cast<std::size_t>(line.end - value), words_, spoken)) return false;
    out.put(line.begin, afterKeyword);
    out.put(" ");
    out.put(spoken.c_str());
    out.put(line.end, line.next);
    return true;
}

}  // namespace postsift
