#include "reading/pass/reading_rule.h"

namespace postsift {

// Most rules act at one or two of the stages: the others do nothing.
void readingRule::observe(lineFacts&, passState&, readingOutput&) { leftAlone_[observing] = true; }

lineTaken readingRule::take(const lineFacts&, passState&, readingOutput&) {
    leftAlone_[taking] = true;
    return lineTaken::passed();
}

void readingRule::after(const lineFacts&, lineFate, std::size_t, passState&, readingOutput&) {
    leftAlone_[following] = true;
}

void readingRule::finish(passState&, readingOutput&) {}

bool readingRule::readsDroppedField(const messageLine&, const char*, const char*) const {
    readsNoDroppedField_ = true;
    return false;
}

}  // namespace postsift
