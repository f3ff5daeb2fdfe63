#include "reading/rules/left_out_sentence.h"

#include <cstring>
#include <string>

#include "filter/epost_sift.h"
#include "filter/language_phrases.h"
#include "reading/pass/heard_text.h"
#include "reading/pass/rule_table.h"
#include "reading/rules/boilerplate_block.h"

namespace postsift {

namespace {

// The things, in the order they are named, with the words for one or more.
struct leftOutThing {
    unsigned count;
    const char* const* words;  // one, more
};

struct textPiece {
    const char* text;
    std::size_t length;
};

textPiece pieceOf(const char* text) { return {text, std::strlen(text)}; }

// The pieces one after the other, copied into a text made at its length.
std::string joined(const textPiece* pieces, std::size_t count) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < count; ++i) length += pieces[i].length;
    std::string text(length, '\0');
    char* p = &text[0];
    for (std::size_t i = 0; i < count; ++i) {
        std::memcpy(p, pieces[i].text, pieces[i].length);
        p += pieces[i].length;
    }
    return text;
}

}  // namespace

readingRule* makeLeftOutSentence(const ruleSetting& setting, ruleRoom& room) {
    const leftOutWords& words = buildLanguagePhrases().leftOut;
    return room.make<leftOutSentence>(words, phraseOf(setting.filter, symbolLeftOut, words.sentence),
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
    // message's section. (Worked out without a branch on the lines: which
    // way each goes changes from line to line.)
    const bool section = out.inEarlierMessage();
    out.setMark(place_, heardLine_ & !section ? out.length() : out.mark(place_));
    heardLine_ = false;
    earlierMessages_ += section & !inSection_ & !quotesHeard_;
    // An earlier message's section that ends where its text begins quoted:
    // the quote is that message's text, named with it.
    quoteOfEarlier_ |= inSection_ & !section;
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
    // are heard. (Worked out without a branch on the lines, as above.)
    const bool counts = (fate != lineFate::earlierMessage) & !(fate == lineFate::attribution && !quotesHeard_) &
                        line.hasWord;
    const bool quoted = line.line.depth > 0;
    quoteOfEarlier_ &= !(counts & !quoted);
    quoted_ |= counts & quoted & !quotesHeard_ & !inSection_ & !quoteOfEarlier_;
    heardLine_ |= counts & heard;
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
    std::size_t total = 0;
    for (const leftOutThing& thing : things) total += thing.count > 0 ? 1 : 0;
    if (total == 0) return;
    std::size_t at = out.mark(place_);
    if (at == readingOutput::unset || at > out.length()) at = out.length();

    // The sentence's pieces, put together once: a line end before it where
    // a last line without its own ends, the sentence with its list of
    // things in place of "%s", and its line end.
    textPiece pieces[2 * (sizeof things / sizeof things[0]) + 4];
    std::size_t count = 0;
    if (at > 0 && *out.at(at - 1) != '\n') pieces[count++] = {"\n", 1};
    const char* filling = std::strstr(sentence_, "%s");
    if (filling == nullptr) {
        pieces[count++] = pieceOf(sentence_);
    } else {
        pieces[count++] = {sentence_, static_cast<std::size_t>(filling - sentence_)};
        std::size_t named = 0;
        for (const leftOutThing& thing : things) {
            if (thing.count == 0) continue;
            if (named > 0) pieces[count++] = pieceOf(named + 1 == total ? w.lastJoin : ", ");
            pieces[count++] = pieceOf(thing.words == nullptr ? w.quotedText : thing.words[thing.count > 1 ? 1 : 0]);
            ++named;
        }
        pieces[count++] = pieceOf(filling + 2);
    }
    pieces[count++] = {"\n", 1};
    if (at < out.length()) {
        out.insert(at, joined(pieces, count).c_str());
        return;
    }
    // At the end of the text, as mostly, the pieces are written as they are.
    for (std::size_t i = 0; i < count; ++i) out.put(pieces[i].text, pieces[i].text + pieces[i].length);
}

}  // namespace postsift
