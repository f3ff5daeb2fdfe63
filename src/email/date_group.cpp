#include "filter/epost_sift.h"

// A date composed from four stored words. Nothing in the grammar calls these;
// they belong to the operation table all the same.
namespace postsift {
namespace {

int storePart(ownedText& part, const char* text) {
    part.release();
    if (text == nullptr) return 2;
    return part.assign(text) ? 0 : 2;
}

}  // namespace

int epostSift::setDatePart1(const char* text) { return storePart(datePart1, text); }
int epostSift::setDatePart2(const char* text) { return storePart(datePart2, text); }
int epostSift::setDatePart3(const char* text) { return storePart(datePart3, text); }
int epostSift::setDatePart4(const char* text) { return storePart(datePart4, text); }

// Spoken as "part1 part3 part2, part4".
int epostSift::completeDate(int isForwarded) {
    if (datePart1.isNull() || datePart2.isNull() || datePart3.isNull() || datePart4.isNull()) return 0;
    addHeaderItemWord(datePart1.get(), isForwarded);
    addHeaderItemWord(" ", isForwarded);
    addHeaderItemWord(datePart3.get(), isForwarded);
    addHeaderItemWord(" ", isForwarded);
    addHeaderItemWord(datePart2.get(), isForwarded);
    addHeaderItemWord(", ", isForwarded);
    const int result = addHeaderItemWord(datePart4.get(), isForwarded);
    datePart1.release();
    datePart2.release();
    datePart3.release();
    datePart4.release();
    dateCompleted = 1;
    return result;
}

int epostSift::addWordAfterDate(const char* word, int isForwarded) {
    if (dateCompleted == 1) addHeaderItemWord(" at ", isForwarded);
    return addHeaderItemWord(word, isForwarded);
}

}  // namespace postsift
