#pragma once
#include "reading/pass/reading_rule.h"

namespace postsift {

// The signature under a line that is exactly "-- " (or "--"), in the text
// of the message or inside quoted text. It runs to the end of the body or of
// the current MIME part, and ends early where an earlier message begins (an
// original-message separator) or a digest's next message or where the quote depth of the lines changes:
// a signature above quoted text would otherwise take the quoted text with
// it, and one inside a quote ends with the quote.
class signatureBlock : public readingRule {
public:
    // Outside a signature, only a line with a dash may begin one.
    signatureBlock() { showOnlyLinesHolding(taking, holdsDash); }

    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;

private:
    bool inside_ = false;
    int depth_ = 0;
};

}  // namespace postsift
