#include <cstring>

#include "filter/epost_sift.h"
#include "filter/option_value.h"
#include "support/reserved_names.h"

namespace postsift {

int epostSift::setAddressId(const char* text) {
    addressId.release();
    if (text == nullptr) return 2;
    return addressId.assign(text) ? 0 : 2;
}

int epostSift::setAddressDomain(const char* text) {
    addressDomain.release();
    if (text == nullptr) return 2;
    return addressDomain.assign(text) ? 0 : 2;
}

// The address joins the item as ", id@domain" only when the option is
// exactly "true"; each piece still meets the word rules and, in a forwarded
// item, the forwarded-headers option.
int epostSift::completeAddress(int isForwarded) {
    const filterEntry* option = findFilterEntry(optionIncludeEmailAddress);
    if (addressId.isNull() || addressDomain.isNull()) return 0;
    if (option != nullptr && option->value() != nullptr && std::strcmp(option->value(), "true") == 0) {
        trimHeaderItemText();
        addHeaderItemWord(", ", isForwarded);
        addHeaderItemWord(addressId.get(), isForwarded);
        addHeaderItemWord("@", isForwarded);
        addHeaderItemWord(addressDomain.get(), isForwarded);
    }
    addressId.release();
    addressDomain.release();
    return 0;
}

}  // namespace postsift
