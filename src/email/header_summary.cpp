#include <cstring>

#include "filter/epost_sift.h"
#include "support/ascii.h"
#include "support/reserved_names.h"
#include "support/trace.h"

namespace postsift {
namespace {

// Literal text of the template result joins what came before with one
// blank, unless it starts with punctuation, which attaches to the word
// before it. `first` is the literal's first character, or for an empty
// literal the '[' of the placeholder that follows it.
void appendLiteral(epostSift& filter, const char* literal, std::size_t length, unsigned char first,
                   bool trace) {
    if (filter.filteredText.isNull()) {
        filter.filteredText.assign(literal, length);
        return;
    }
    filter.filteredText.append(" ", 1);
    if (isAsciiPunct(first)) filter.trimFilteredText();
    filter.filteredText.append(literal, length);
    if (trace)
        traceMessage("epostSift::completeEntireHeader(). filteredText = %s",
                     printable(filter.filteredText.get()));
}

// Placeholders are "[NAME]" or "[NAME|default]". A symbol's capture is
// spoken once: the first placeholder of the symbol takes it away.
void composeSummary(epostSift& filter, const char* result) {
    const char* cursor = result;
    for (;;) {
        const char* open = std::strchr(cursor, '[');
        if (open == nullptr) break;
        const char* close = std::strchr(open + 1, ']');
        if (close == nullptr) break;  // a '[' never closed: the rest is text

        const char* nameEnd = open + 1;
        while (nameEnd < close && *nameEnd != '|') ++nameEnd;
        const bool hasDefault = nameEnd < close;

        ownedText key;
        filterEntry* symbol = nullptr;
        if (key.assign("[", 1) && key.append(open + 1, static_cast<std::size_t>(nameEnd - (open + 1))) &&
            key.append("]", 1))
            symbol = findException(filter.symbolTable, key.get());

        appendLiteral(filter, cursor, static_cast<std::size_t>(open - cursor),
                      static_cast<unsigned char>(*cursor), true);
        if (symbol != nullptr && symbol->headerText() != nullptr)
            filter.filteredText.append(symbol->headerText());
        else if (hasDefault)
            filter.filteredText.append(nameEnd + 1, static_cast<std::size_t>(close - (nameEnd + 1)));
        if (symbol != nullptr) symbol->clearHeaderText();

        // Searching on from the cursor, not from inside the placeholder: a
        // '[' within a default must not send the cursor backwards.
        cursor = close + 1;
    }
    if (*cursor != '\0')
        appendLiteral(filter, cursor, std::strlen(cursor), static_cast<unsigned char>(*cursor), false);
}

}  // namespace

int epostSift::completeEntireHeader() {
    if (symbolTable != nullptr && bodyStarted == 0) {
        bodyStarted = 1;
        filterEntry* header = reservedSymbol(*this, symbolHeader);
        if (header != nullptr && header->value() != nullptr) {
            header->clearTemplateResult();
            const char* result =
                header->evaluateTemplate(header->value(), std::strlen(header->value()), symbolTable);
            if (result != nullptr) composeSummary(*this, result);
        }
        const filterEntry* body = reservedSymbol(*this, symbolBody);
        if (body != nullptr && body->value() != nullptr) {
            if (!filteredText.isNull()) filteredText.append(" ", 1);
            filteredText.append(body->value());
        }
    }
    if (!filteredText.isNull())
        traceMessage("epostSift::completeEntireHeader() exit. filteredText = %s", filteredText.get());
    return 2;
}

}  // namespace postsift
