#include "filter/epost_sift.h"
#include "filter/option_value.h"
#include "support/reserved_names.h"

namespace postsift {

// An "Original Message" line is announced only when forwarded text or
// forwarded headers are to be spoken, and only if a phrase is configured.
int epostSift::beginForwardedSection() {
    const filterEntry* text = findFilterEntry(optionIncludeForwardedText);
    const filterEntry* headers = findFilterEntry(optionIncludeForwardedHeaders);
    const bool spoken = (text != nullptr && valueSaysTrue(*text)) || (headers != nullptr && valueSaysTrue(*headers));
    if (!spoken || symbolTable == nullptr) return 2;
    const filterEntry* announcement = reservedSymbol(*this, symbolForwardedSection);
    if (announcement == nullptr || announcement->value() == nullptr) return 2;
    if (!filteredText.isNull()) filteredText.append(" ", 1);
    filteredText.append(announcement->value());
    return 2;
}

}  // namespace postsift
