#pragma once
#include "reading/pass/line_facts.h"

namespace postsift {

// For readingRule::showOnlyLinesHolding: a bit that is no lineHolding's,
// and that no line holds. A rule whose observing tells it whether it will
// take the line asks so for the lines it will not take: the pass then
// makes no call for the many lines it would only pass on.
inline constexpr unsigned heldByNoLine = 1u << 31;

}  // namespace postsift
