#include "interface/epost_sift.h"

// Placeholders until header handling arrives.
namespace postsift {

int epostSift::completeHeaderItem() { return 2; }
int epostSift::addHeaderItemWord(const char*, int) { return 0; }
filterEntry* epostSift::findFilterEntry(const char* key) {
    return filterList != nullptr ? findException(filterList, key) : nullptr;
}
int epostSift::completeEntireHeader() { return 2; }
void epostSift::trimFilteredText() {}
void epostSift::trimHeaderItemText() {}

}  // namespace postsift
