#include "reading/rules/signature_block.h"

#include "reading/pass/rule_table.h"

namespace postsift {

readingRule* makeSignatureBlock(const ruleSetting&, ruleRoom& room) { return room.make<signatureBlock>(); }

lineTaken signatureBlock::take(const lineFacts& line, passState& state, readingOutput&) {
    // A MIME part ends, an earlier message (perhaps forwarded) or a
    // digest's next message begins, or a forwarded text ends.
    const bool endsPart = line.boundary || line.separator == separatorKind::original ||
                          line.separator == separatorKind::forwardEnd || state.news.earlierMessageBegins ||
                          state.news.forwardBegins || state.news.digestMessageBegins;
    const messageLine& text = line.line;
    if (inside_) {
        if (!endsPart && text.depth == depth_) return lineTaken::upTo(text.next);
        inside_ = false;
        showOnlyLinesHolding(taking, holdsDash);
    }
    // A signature line begins with its dashes: most lines go at their first byte.
    const bool dashes = text.content < text.end && *text.content == '-' &&
                        (text.contentIs("-- ", false) || text.contentIs("--", false));
    if (endsPart || !dashes) return lineTaken::passed();
    inside_ = true;
    depth_ = text.depth;
    showOnlyLinesHolding(taking, 0);
    return lineTaken::upTo(text.next);
}

}  // namespace postsift
