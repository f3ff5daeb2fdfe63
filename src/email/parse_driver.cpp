#include <cstring>

#include "interface/epost_sift.h"

namespace postsift {

// Placeholder until the e-mail parser arrives: the message comes back as it is.
char* epostSift::parseEmailText(const char* text, std::size_t length) {
    filteredText.release();
    if (text != nullptr && length > 0) filteredText.assign(text, length);
    return filteredText.data();
}

}  // namespace postsift
