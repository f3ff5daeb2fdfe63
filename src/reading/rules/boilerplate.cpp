#include "reading/rules/boilerplate.h"

#include <type_traits>

#include "reading/pass/heard_text.h"
#include "reading/pass/rule_table.h"
#include "reading/rules/boilerplate_words.h"

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
        textEnds(line.line.begin, state, out);
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
        textEnds(line.line.begin, state, out);
        if (earlier) {
            inHeaderBlock_ = true;
            startSegment();
        }
        return;
    }
    if (contacts_ && isSignatureLine(line.line)) {
        textEnds(line.line.begin, state, out);
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
        if (deferring_ && noteDeferred(line, out)) return;
        if (deferring_) judgeDeferred(line.line.begin, state, out);
        openRun(out.length(), out);
        return;
    }
    // A quote begins or ends: the text above it ends there, and so does
    // the text above the line that introduces a quote.
    if (line.line.depth != depth_ || beginsQuote(line)) {
        textEnds(line.line.begin, state, out);
        depth_ = line.line.depth;
    }
    const bool notable = mayBeNoted(line);
    if (deferring_) {
        if (mayDefer(notable) && noteDeferred(line, out)) return;
        judgeDeferred(line.line.begin, state, out);
    }
    if (blockEnd_ != nullptr && line.line.begin < blockEnd_) return;
    if (mayDefer(notable)) {
        deferring_ = true;
        colonBeforeDeferred_ = afterColon_;
        deferredCount_ = 0;
        out.clearTrail();
        if (noteDeferred(line, out)) return;
        deferring_ = false;
    }
    startBlock(line, state, out);
}

bool boilerplate::mayBeNoted(const lineFacts& line) {
    // A line that a rule reads from after a quote mark of its own has
    // facts that its place alone does not give back; a rule line's verdict
    // counts wherever it stands.
    const bool marked = line.markAsQuote != nullptr || line.initialsMark != nullptr || line.otherMark.end != nullptr;
    return !marked && !isRuleLine(line.line);
}

bool boilerplate::mayDefer(bool notable) const {
    // What follows a rule line counts wherever it stands too. What is held
    // when the noting begins is held on as each noted block is worked out,
    // as it would have been.
    return textInSegment_ && !afterRule_ && notable;
}

bool boilerplate::noteDeferred(const lineFacts& line, readingOutput& out) {
    // A run of blank lines is noted by its first.
    if (line.blank && deferredCount_ > 0 && deferred_[deferredCount_ - 1].blank) return true;
    std::size_t index = 0;
    if (!out.noteTrail(index)) return false;
    // Whether a block held from this line on would be heard hangs on where
    // the scanner stands as it is written.
    deferred_[index] = {line.blank, !line.blank && heardFrom(line.line.depth, out)};
    static_assert(std::is_trivially_destructible_v<lineFacts>, "facts made in the room need no end of their own");
    new (deferredFacts() + index) lineFacts(line);
    deferredCount_ = index + 1;
    return true;
}

blockContext boilerplate::contextHere() const {
    return blockContext{list_, afterRule_, afterColon_, sponsorTitle_, contacts_, contacts_};
}

void boilerplate::startBlock(const lineFacts& line, passState& state, readingOutput& out) {
    const blockVerdict verdict = judge_.judge(line, state, contextHere());
    blockEnd_ = verdict.end;
    apply(verdict, out.length(), nullptr, line.line.depth, state, out);
}

bool boilerplate::heardFrom(int depth, readingOutput& out) const {
    return quotesHeard_ || (depth == 0 && !out.inEarlierMessage());
}

void boilerplate::apply(const blockVerdict& verdict, std::size_t at, const bool* heard, int depth, passState& state,
                        readingOutput& out) {
    switch (verdict.kind) {
        case blockKind::rule:
            // A sponsor's block between two rule lines goes, wherever it is.
            // (A rule line is judged when the pass comes to it, never late:
            // the run begins where the output ends once that is taken back.)
            if (holding_ && heldSetOff_) takeBack(state, out);
            openRun(out.length(), out);
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
        default: hold(verdict, at, heard, depth, out); break;
    }
    afterRule_ = sponsorTitle_ = false;
    afterColon_ = verdict.endsWithColon;
}

void boilerplate::openRun(std::size_t at, readingOutput& out) {
    if (holding_ || runOpen_) return;
    runOpen_ = true;
    out.setMark(mark_, at);
}

void boilerplate::hold(const blockVerdict& verdict, std::size_t at, const bool* heard, int depth, readingOutput& out) {
    const blockKind kind = verdict.kind;
    if (!holding_) {
        if (!runOpen_) out.setMark(mark_, at);
        holding_ = true;
        runOpen_ = false;
        heldAtStart_ = !textInSegment_;
        heldStartOk_ = true;
        heldNeedsText_ = false;
        heldSetOff_ = kind == blockKind::sponsor && afterRule_;
        held_ = passState::leftOutRecord();
        heldHeard_ = heard != nullptr ? *heard : heardFrom(depth, out);
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

void boilerplate::judgeDeferred(const char* at, passState& state, readingOutput& out) {
    deferring_ = false;
    // The noted blocks: [first, end) of the noted lines, each up to a blank
    // line or to `at`; and the verdicts on each, in `judged` from
    // `verdictsFrom` on. Nothing here is cleared: every field is written
    // before it is read.
    struct notedBlock {
        std::size_t first;
        std::size_t end;
        std::size_t verdictsFrom;
        std::size_t verdictCount;
    };
    notedBlock blocks[readingOutput::trailRoom];
    std::size_t blockCount = 0;
    for (std::size_t i = 0; i < deferredCount_; ++i) {
        if (deferred_[i].blank) {
            blocks[blockCount - 1].end = i;
        } else if (i == 0 || deferred_[i - 1].blank) {
            blocks[blockCount++] = {i, deferredCount_, 0, 0};
        }
    }
    // Each block's verdicts, as they would have been given in its turn: a
    // block may be judged as several (a line a program added, a footer
    // under the sender's lines).
    struct judgedBlock {
        blockVerdict verdict;
        std::size_t line;  // the noted line it begins at
    };
    static_assert(std::is_trivially_destructible_v<judgedBlock>, "verdicts made in the room need no end of their own");
    alignas(judgedBlock) unsigned char judgedRoom[readingOutput::trailRoom * sizeof(judgedBlock)];
    judgedBlock* const judged = std::launder(reinterpret_cast<judgedBlock*>(judgedRoom));
    std::size_t judgedCount = 0;
    std::size_t from = blockCount;  // the first block to work out what is held from
    std::size_t anchor = 0;         // ... and its verdict from which on, the sender's text
    bool anchored = false;
    const lineFacts* facts = deferredFacts();
    while (from > 0 && !anchored) {
        notedBlock& block = blocks[--from];
        const char* end = block.end < deferredCount_ ? facts[block.end].line.begin : at;
        bool colon = from == 0 ? colonBeforeDeferred_ : introducesNext(facts[blocks[from - 1].end - 1].line);
        block.verdictsFrom = judgedCount;
        std::size_t line = block.first;
        for (;;) {
            blockContext context{list_, false, colon, false, contacts_, contacts_};
            context.kept = facts + line;
            context.keptCount = deferredCount_ - line;
            const blockVerdict verdict = judge_.judge(facts[line], state, context);
            if (verdict.kind == blockKind::text) {
                anchored = true;
                anchor = judgedCount;
            }
            new (judged + judgedCount++) judgedBlock{verdict, line};
            if (verdict.end >= end) break;
            while (line < block.end && facts[line].line.begin < verdict.end) ++line;
            if (line == block.end) break;
            colon = verdict.endsWithColon;
        }
        block.verdictCount = judgedCount - block.verdictsFrom;
    }
    // What is held, from the last of the sender's text on, or from where
    // the noting began.
    for (std::size_t b = from; b < blockCount; ++b) {
        const notedBlock& block = blocks[b];
        std::size_t v = block.verdictsFrom;
        if (anchored && b == from) v = anchor;
        for (; v < block.verdictsFrom + block.verdictCount; ++v) {
            const judgedBlock& one = judged[v];
            apply(one.verdict, out.trailAt(one.line), &deferred_[one.line].heard, facts[one.line].line.depth, state, out);
            blockEnd_ = one.verdict.end;
        }
        if (block.end < deferredCount_) openRun(out.trailAt(block.end), out);
    }
    deferredCount_ = 0;
    out.clearTrail();
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

void boilerplate::textEnds(const char* at, passState& state, readingOutput& out) {
    if (deferring_) judgeDeferred(at, state, out);
    // What is held ends the text: it goes, unless it is all the text there
    // is and says something only to the sender's own text.
    if (holding_ && (!heldNeedsText_ || textInMessage_)) takeBack(state, out);
    holding_ = runOpen_ = false;
    if (bodyBegun_) out.setMark(mark_, readingOutput::unset);
    blockEnd_ = nullptr;
    afterRule_ = afterColon_ = sponsorTitle_ = false;
}

void boilerplate::finish(passState& state, readingOutput& out) { textEnds(state.textEnd, state, out); }

}  // namespace postsift
