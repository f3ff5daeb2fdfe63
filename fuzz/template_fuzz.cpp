// The header summary template: evaluated on its own against a table of the
// keyword symbols, and then as a filter's "[HEADER]", which turns the result
// into the spoken summary of a message.
//
// Input: a flags byte (for each of [SENDER], [DATE] and [SUBJECT], bit 2k
// gives the symbol a capture and bit 2k+1 makes the capture the next text of
// the input; bit 6 adds a "[BODY]"), the template up to the first NUL byte,
// then the texts that the flags ask for, each ended by a NUL.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "filter/epost_sift.h"
#include "filter/filterlist.h"
#include "fuzz_input.h"
#include "support/reserved_names.h"

namespace {

const char* const keywordSymbols[] = {postsift::symbolSender, postsift::symbolDate, postsift::symbolSubject};
const char* const keywords[] = {"From", "Date", "Subject"};

volatile std::size_t resultLength = 0;

// The symbols as the header of a message leaves them: each with the text of
// its header line, or none when the message had no such line.
struct symbolTable {
    symbolTable(unsigned flags, const std::string (&captures)[3]) {
        postsift::filterEntry* entries[3];
        for (int k = 0; k < 3; ++k) {
            entries[k] = new postsift::filterEntry(keywordSymbols[k], keywords[k]);
            if ((flags >> (2 * k)) & 1u) entries[k]->setHeaderText(captures[k].c_str());
            if (k > 0) entries[k - 1]->setNext(entries[k]);
        }
        first = entries[0];
    }
    ~symbolTable() { postsift::destroyEntries(first); }
    symbolTable(const symbolTable&) = delete;
    symbolTable& operator=(const symbolTable&) = delete;
    postsift::filterEntry* first = nullptr;
};

}  // namespace

// The template scanner writes the characters that no rule takes to standard
// output; a fuzzer has no use for them.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::fprintf(stderr, "standard output stays open\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzInput input(data, size);
    const unsigned flags = input.byte();
    const std::string templateText = input.text();
    std::string captures[3] = {"Camille Morel", "Mon, 13 Jan 2003", "Rendez-vous"};
    for (int k = 0; k < 3; ++k)
        if ((flags >> (2 * k + 1)) & 1u) captures[k] = input.text();

    {
        symbolTable symbols(flags, captures);
        postsift::filterEntry holder(postsift::symbolHeader, templateText.c_str());
        const char* result = holder.evaluateTemplate(templateText.data(), templateText.size(), symbols.first);
        if (result != nullptr) resultLength = std::strlen(result);
    }

    // The same template summarising a message that has the chosen lines.
    postsift::epostSift filter;
    for (int k = 0; k < 3; ++k) filter.updateSymbolTable(keywordSymbols[k], (std::string(keywords[k]) + ":").c_str());
    filter.updateSymbolTable(postsift::symbolHeader, templateText.c_str());
    if ((flags & 64u) != 0) filter.updateSymbolTable(postsift::symbolBody, "Voici le message.");
    std::string message;
    for (int k = 0; k < 3; ++k)
        if ((flags >> (2 * k)) & 1u) message += std::string(keywords[k]) + ": " + captures[k] + "\n";
    message += "\nCorps du message.\n";
    filter.activateFilter();
    const char* spoken = nullptr;
    filter.getFilteredText(message.c_str(), &spoken, 0);
    if (spoken != nullptr) resultLength = std::strlen(spoken);
    return 0;
}
