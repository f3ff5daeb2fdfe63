#include "reading/rules/boilerplate.h"

#include "reading/pass/heard_text.h"
#include "reading/pass/rule_table.h"

namespace postsift {

readingRule* makeBoilerplate(const ruleSetting& setting, ruleRoom& room) {
    return room.make<boilerplate>(setting.isOn(optionDropSignature), quotedTextIsHeard(setting));
}

void boilerplate::startSegment() {
    textInSegment_ = false;
    blockEnd_ = nullptr;
    afterRule_ = afterColon_ = sponsorTitle_ = false;
}

void boilerplate::observe(lineFacts& line, passState& state, readingOutput& out) {
    if (line.header) {
        list_.observe(line);
        return;
    }
    if (!bodyBegun_) {
        bodyBegun_ = true;
        list_.finish();
        mark_ = out.newMark();
        startSegment();
        // The blank line that ends the header stays, whatever goes after it.
        if (line.blank) return;
    }
    if (line.boundary) {
        textEnds(state, out);
        inPartHeader_ = true;
        inSignature_ = inHeaderBlock_ = false;
        return;
    }
    if (inPartHeader_) {
        if (line.blank) {
            inPartHeader_ = false;
            startSegment();
        }
        return;
    }
    const bool earlier =
        line.separator != separatorKind::none || state.news.earlierMessageBegins || state.news.forwardBegins;
    if (inSignature_) {
        if (!earlier && line.line.depth == signatureDepth_) return;
        inSignature_ = false;
    }
    if (earlier || state.news.armour) {
        textEnds(state, out);
        if (earlier) {
            inHeaderBlock_ = true;
            startSegment();
        }
        return;
    }
    if (contacts_ && isSignatureLine(line.line)) {
        textEnds(state, out);
        inSignature_ = true;
        signatureDepth_ = line.line.depth;
        return;
    }
    if (inHeaderBlock_) {
        if (line.blank) {
            inHeaderBlock_ = false;
            return;
        }
        if (line.keywordEnd != nullptr || line.originalHeader || line.line.isFolded()) return;
        inHeaderBlock_ = false;
    }
    if (line.blank) {
        openRun(out);
        return;
    }
    // A quote begins or ends: the text above it ends there, and so does
    // the text above the line that introduces a quote.
    if (line.line.depth != depth_ || (line.hasColon && beginsQuote(line, state))) {
        textEnds(state, out);
        depth_ = line.line.depth;
    }
    if (blockEnd_ == nullptr || line.line.begin >= blockEnd_) startBlock(line, state, out);
}

void boilerplate::startBlock(const lineFacts& line, passState& state, readingOutput& out) {
    const blockContext context{list_, afterRule_, afterColon_, sponsorTitle_, contacts_, contacts_};
    const blockVerdict verdict = judge_.judge(line, state, context);
    blockEnd_ = verdict.end;
    switch (verdict.kind) {
        case blockKind::rule:
            // A sponsor's block between two rule lines goes, wherever it is.
            if (holding_ && heldSetOff_) takeBack(state, out);
            openRun(out);
            afterRule_ = true;
            sponsorTitle_ = verdict.sponsorTitle;
            return;
        case blockKind::linkOnly:
            // A link among boilerplate is the boilerplate's.
            if (holding_) {
                heldSetOff_ = false;
                break;
            }
            [[fallthrough]];
        case blockKind::text:
            if (holding_ && heldAtStart_ && heldStartOk_) takeBack(state, out);
            holding_ = runOpen_ = false;
            out.setMark(mark_, readingOutput::unset);
            textInSegment_ = textInMessage_ = true;
            break;
        default: hold(verdict, line, out); break;
    }
    afterRule_ = sponsorTitle_ = false;
    afterColon_ = verdict.endsWithColon;
}

void boilerplate::openRun(readingOutput& out) {
    if (holding_ || runOpen_) return;
    runOpen_ = true;
    out.setMark(mark_, out.length());
}

void boilerplate::hold(const blockVerdict& verdict, const lineFacts& line, readingOutput& out) {
    const blockKind kind = verdict.kind;
    if (!holding_) {
        if (!runOpen_) out.setMark(mark_, out.length());
        holding_ = true;
        runOpen_ = false;
        heldAtStart_ = !textInSegment_;
        heldStartOk_ = true;
        heldNeedsText_ = false;
        heldSetOff_ = kind == blockKind::sponsor && afterRule_;
        held_ = passState::leftOutRecord();
        heldHeard_ = quotesHeard_ || (line.line.depth == 0 && !out.inEarlierMessage());
    } else {
        heldSetOff_ = false;
    }
    heldStartOk_ = heldStartOk_ && (kind == blockKind::notice || kind == blockKind::sponsor);
    // Only the footer of the message's own list goes from a text that has
    // nothing else (the footer a list adds as a part of its own).
    if (kind != blockKind::listTrailer || !verdict.listsOwn) heldNeedsText_ = true;
    switch (kind) {
        case blockKind::listTrailer: ++held_.listFooters; break;
        case blockKind::sponsor:
        case blockKind::advert: ++held_.advertisements; break;
        case blockKind::notice: ++held_.notices; break;
        case blockKind::disclaimer: ++held_.disclaimers; break;
        case blockKind::contact: ++held_.signatures; break;
        default: break;
    }
}

void boilerplate::takeBack(passState& state, readingOutput& out) {
    const std::size_t from = out.mark(mark_);
    if (from != readingOutput::unset && from <= out.length()) {
        out.erase(from, out.length() - from);
        // A line that was joined to the line above it took that line's end
        // along: the line above ends again.
        if (from > 0 && *out.at(from - 1) != '\n') out.put("\n");
    }
    if (heldHeard_) {
        passState::leftOutRecord& record = state.leftOut;
        record.signatures += held_.signatures;
        record.listFooters += held_.listFooters;
        record.advertisements += held_.advertisements;
        record.notices += held_.notices;
        record.disclaimers += held_.disclaimers;
    }
    holding_ = runOpen_ = false;
    out.setMark(mark_, readingOutput::unset);
}

void boilerplate::textEnds(passState& state, readingOutput& out) {
    // What is held ends the text: it goes, unless it is all the text there
    // is and says something only to the sender's own text.
    if (holding_ && (!heldNeedsText_ || textInMessage_)) takeBack(state, out);
    holding_ = runOpen_ = false;
    if (bodyBegun_) out.setMark(mark_, readingOutput::unset);
    blockEnd_ = nullptr;
    afterRule_ = afterColon_ = sponsorTitle_ = false;
}

void boilerplate::finish(passState& state, readingOutput& out) { textEnds(state, out); }

}  // namespace postsift
