#include "reading/lines/earlier_message_end.h"

namespace postsift {

bool earlierMessageEnd::endsBefore(const messageLine& line) {
    if (state_ == toTheEnd) return false;
    if (line.depth > 0) {
        state_ = toTheEnd;
        return true;
    }
    if (line.isBlank()) {
        if (state_ == inHeaders) state_ = afterHeaders;
        return false;
    }
    const bool folded = line.begin < line.end && isBlank(*line.begin);
    if ((state_ == afterSeparator && isKeyNameLine(line)) || (state_ == inHeaders && (folded || isKeyNameLine(line))))
        state_ = inHeaders;
    else
        state_ = toTheEnd;
    return false;
}

}  // namespace postsift
