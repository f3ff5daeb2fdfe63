#include "config/filterlist.h"

// Placeholder until the template language arrives.
namespace postsift {

const char* filterEntry::evaluateTemplate(const char*, std::size_t, filterEntry*) {
    return templateResult_.get();
}

}  // namespace postsift
