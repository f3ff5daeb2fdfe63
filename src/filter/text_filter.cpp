#include "filter/text_filter.h"

namespace postsift {

int textFilter::getFilteredText(const char*, const char**, unsigned char) { return 0; }

int textFilter::activateFilter() {
    active = 1;
    return 0;
}

int textFilter::deactivateFilter() {
    active = 0;
    return 0;
}

int textFilter::deleteFilter() { return 0; }

unsigned char textFilter::isActive() { return active; }

int textFilter::updateFilter(const char*, const char*) { return 0; }

}  // namespace postsift
