#include "reading/rules/left_out_sentence.h"

#include <cstring>
#include <string>

#include "filter/epost_sift.h"
#include "filter/language_phrases.h"
#include "reading/pass/rule_table.h"
#include "reading/rules/boilerplate_block.h"
#include "reading/rules/heard_text.h"

namespace postsift {

namespace {

// The things, in the order they are named, with the words for one or more.
struct leftOutThing {
    unsigned count;
    const char* const* words;  // one, more
};

}  // namespace

std::unique_ptr<readingRule> makeLeftOutSentence(const ruleSetting& setting) {
    const leftOutWords& words = buildLanguagePhrases().leftOut;
    return std::make_unique<leftOutSentence>(words, phraseOf(setting.filter, symbolLeftOut, words.sentence),
                                             quotedTextIsHeard(setting), setting.filter.attachmentsLeftOut);
}

void leftOutSentence::observe(lineFacts& line, passState&, readingOutput& out) {
    if (!begun_) {
        // Before any line is heard, the sentence goes where the body begins.
        begun_ = true;
        place_ = out.newMark();
        out.setMark(place_, out.length());
        // The blank line that ends the header stays before it.
        if (line.blank) {
            heardLine_ = true;
            return;
        }
    }
    // The line heard last is written whole, its neighbours' adjustments
    // made: the place is past it, unless that line began an earlier
    // message's section.
    const bool section = out.inEarlierMessage();
    if (heardLine_ && !section) out.setMark(place_, out.length());
    heardLine_ = false;
    if (section && !inSection_ && !quotesHeard_) ++earlierMessages_;
    // An earlier message's section that ends where its text begins quoted:
    // the quote is that message's text, named with it.
    if (inSection_ && !section) quoteOfEarlier_ = true;
    inSection_ = section;
}

void leftOutSentence::after(const lineFacts& line, lineFate fate, std::size_t, passState& state, readingOutput&) {
    if (line.boundary) {
        inPartHeader_ = true;
        return;
    }
    if (inPartHeader_) {
        inPartHeader_ = !line.blank;
        return;
    }
    const bool heard = quotesHeard_ || (line.line.depth == 0 && !inSection_);
    if (fate == lineFate::leftOut) {
        // Only the signature rule leaves a "-- " line out.
        if (heard && !state.news.armour && isSignatureLine(line.line)) ++signatures_;
        return;
    }
    // An attribution goes with its quote: left out with it, unless quotes
    // are heard.
    if (fate == lineFate::earlierMessage || (fate == lineFate::attribution && !quotesHeard_) || !line.hasWord) return;
    if (line.line.depth == 0) quoteOfEarlier_ = false;
    if (line.line.depth > 0 && !quotesHeard_ && !inSection_ && !quoteOfEarlier_) quoted_ = true;
    if (heard) heardLine_ = true;
}

void leftOutSentence::finish(passState& state, readingOutput& out) {
    if (!begun_ || sentence_ == nullptr) return;
    if (heardLine_ && !out.inEarlierMessage()) out.setMark(place_, out.length());
    const passState::leftOutRecord& record = state.leftOut;
    const leftOutWords& w = words_;
    const leftOutThing things[] = {
        {quoted_ ? 1u : 0u, nullptr},
        {earlierMessages_, w.earlierMessages},
        {signatures_ + record.signatures, w.signatures},
        {record.listFooters, w.listFooters},
        {record.advertisements, w.advertisements},
        {record.notices, w.notices},
        {record.disclaimers, w.disclaimers},
        {attachments_, w.attachments},
    };
    std::string list;
    std::size_t named = 0;
    std::size_t total = 0;
    for (const leftOutThing& thing : things) total += thing.count > 0 ? 1 : 0;
    for (const leftOutThing& thing : things) {
        if (thing.count == 0) continue;
        if (named > 0) list += named + 1 == total ? w.lastJoin : ", ";
        list += thing.words == nullptr ? w.quotedText : thing.words[thing.count > 1 ? 1 : 0];
        ++named;
    }
    if (named == 0) return;
    std::string said;
    const char* filling = std::strstr(sentence_, "%s");
    if (filling == nullptr) {
        said = sentence_;
    } else {
        said.assign(sentence_, filling);
        said += list;
        said += filling + 2;
    }
    said += '\n';
    std::size_t at = out.mark(place_);
    if (at == readingOutput::unset || at > out.length()) at = out.length();
    // A last line without its line end ends before the sentence.
    if (at > 0 && *out.at(at - 1) != '\n') said.insert(0, "\n");
    out.insert(at, said.c_str());
}

}  // namespace postsift
