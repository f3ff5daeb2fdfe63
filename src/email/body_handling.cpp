#include "interface/epost_sift.h"

// Placeholders until body handling arrives.
namespace postsift {

int epostSift::addPlainText(const char*, int) { return 0; }
int epostSift::completeDate(int) { return 0; }
int epostSift::setDatePart1(const char*) { return 0; }
int epostSift::setDatePart2(const char*) { return 0; }
int epostSift::setDatePart3(const char*) { return 0; }
int epostSift::setDatePart4(const char*) { return 0; }
int epostSift::addWordAfterDate(const char*, int) { return 0; }
int epostSift::setAddressId(const char*) { return 0; }
int epostSift::setAddressDomain(const char*) { return 0; }
int epostSift::completeAddress(int) { return 0; }
int epostSift::beginForwardedSection() { return 2; }

}  // namespace postsift
