#include <cstring>

#include "config/entry_routing.h"
#include "filter/epost_sift.h"
#include "filter/key_places.h"
#include "support/text_file.h"
#include "support/owned_text.h"
#include "support/reserved_names.h"

namespace postsift {

namespace {

// The one translation of the file format: lineEndKeyName stands for this.
const char lineEndKey[] = "\n";

// For the time of the reading, each line finds its key's place in the lists
// at once instead of walking them: a file of many lines would otherwise cost
// the square of its length.
class placesWhileReading {
public:
    explicit placesWhileReading(epostSift& filter)
        : filter_(filter), filterList_(filter.filterList), symbolTable_(filter.symbolTable) {
        filter.filterListPlaces = &filterList_;
        filter.symbolTablePlaces = &symbolTable_;
    }
    ~placesWhileReading() {
        filter_.filterListPlaces = nullptr;
        filter_.symbolTablePlaces = nullptr;
    }
    placesWhileReading(const placesWhileReading&) = delete;
    placesWhileReading& operator=(const placesWhileReading&) = delete;

private:
    epostSift& filter_;
    keyPlaces filterList_;
    keyPlaces symbolTable_;
};

}  // namespace

// One entry per line: the key, a run of TABs, then the value up to the end of
// the line. A line without TAB is a key alone and removes that key. Nothing
// is trimmed, quoted or escaped. A line of any length is one entry, and the
// last line needs no line feed.
int epostSift::readConfigFile(const char* path) {
    if (path == nullptr) return -1;
    textFile file(path);
    if (!file.isOpen()) return -1;

    placesWhileReading places(*this);
    ownedText line;
    for (;;) {
        const textFile::readResult read = file.readLine(line);
        if (read == textFile::endOfFile) return 0;
        // The entries read so far stay; the rest of the file is not known.
        if (read == textFile::readFailed) return -1;

        // A NUL in the line ends its text, as it would for any caller.
        char* text = line.data();
        const char* key = text;
        const char* value = nullptr;
        if (char* tab = std::strchr(text, '\t')) {
            *tab = '\0';
            char* rest = tab + 1;
            while (*rest == '\t') ++rest;
            value = rest;
        }
        if (std::strcmp(key, lineEndKeyName) == 0) key = lineEndKey;

        // The results are not used: a refused line leaves the earlier
        // definition in place and the next line is read all the same.
        if (isSymbolKey(key))
            updateSymbolTable(key, value);
        else
            updateFilter(key, value);
    }
}

}  // namespace postsift
