#pragma once
#include <cstddef>
#include <vector>

#include "reading/lines/earlier_message_end.h"
#include "reading/lines/keyword_format.h"
#include "support/owned_text.h"

namespace postsift {

struct lineFacts;

// The text that the reading pass writes, piece by piece. A piece that finds
// no memory is remembered, so that the pass can give up as a whole instead
// of handing the scanner a text with a hole in it.
//
// It also follows, line by line, where the scanner will stand in what was
// written: inside an earlier message's section or not. The pass writes a
// separator for an earlier message only where the scanner is not inside one
// already, and the scanner leaves a section where its quoted text begins.
class readingOutput {
public:
    // Room for the marks the rules of a message ask for (a handful) at
    // once, not grown one by one.
    explicit readingOutput(ownedText& text) : text_(text) { marks_.reserve(8); }

    void put(const char* from, const char* to) { note(text_.append(from, static_cast<std::size_t>(to - from))); }
    void put(const char* text) { note(text_.append(text)); }
    // A phrase whose first "%s" stands for `filling`.
    void putPhrase(const char* phrase, const char* filling) { note(appendKeywordPhrase(text_, phrase, filling)); }
    // A line's quote prefix as the scanner must read it: a quote mark other
    // than '>' that a rule reads as one becomes '>' and blanks, as long as
    // the mark, so that the offsets of what follows do not move.
    void putPrefix(const lineFacts& line);
    // A phrase with several fillings (appendPhraseFillings).
    void putPhrase(const char* phrase, const char* const* fillings, std::size_t count) {
        note(appendPhraseFillings(text_, phrase, fillings, count));
    }

    bool ok() const { return ok_; }
    std::size_t length() const { return text_.length(); }
    // The bytes written from `at` on, to be looked at or changed in place.
    char* at(std::size_t offset) { return text_.data() + offset; }
    // Puts `piece` at `offset`, moving what follows it (a line end).
    void insert(std::size_t offset, const char* piece);
    // Takes out the `count` bytes at `offset`.
    void erase(std::size_t offset, std::size_t count);
    // A place in the written text that a rule holds on to while later lines
    // are written and adjusted (where a block it may yet take back out
    // begins): it moves with what is put in or taken out before it. A rule
    // asks for its marks once; a mark is `unset` until set.
    static constexpr std::size_t unset = static_cast<std::size_t>(-1);
    std::size_t newMark();
    void setMark(std::size_t mark, std::size_t offset) { marks_[mark] = offset; }
    std::size_t mark(std::size_t mark) const { return marks_[mark]; }

    // Places noted one after the other as the text grows, each where the
    // text then ended, which move as marks do: a rule that cannot yet tell
    // which of the lines it passes it will take back notes where each
    // begins. Few at a time (trailRoom); they stay until cleared.
    static constexpr std::size_t trailRoom = 64;
    // The index of the place noted; false when there is no room left.
    bool noteTrail(std::size_t& index);
    std::size_t trailAt(std::size_t index) const { return trail_[index]; }
    void clearTrail() { trailCount_ = 0; }

    // The pass wrote the line it reads, from `at`, as it stood in the
    // message. A rule that hears the line's fate asks whether what was
    // written from `at` is still that line and nothing more: no piece was
    // put in or taken out since, nor anything written after it. Where it
    // is, the line's facts hold for it; this tells it without comparing the
    // line's bytes.
    void noteLineAsItStood(std::size_t at) { stood_ = {at, text_.length(), edits_}; }
    bool holdsLineAsItStood(std::size_t at) const {
        return stood_.at == at && stood_.end == text_.length() && stood_.edits == edits_;
    }

    // Whether the scanner, after the lines written so far, reads an
    // earlier message's section. The lines are followed only when this is
    // asked, at the few lines where an earlier message may begin.
    bool inEarlierMessage() {
        followLines();
        return inSection_;
    }
    // Whether the scanner, after the lines written so far, reads all that
    // follows as an earlier message's section, whatever it is.
    bool inEarlierMessageToTheEnd() {
        followLines();
        return inSection_ && sectionEnd_.takesTheRest();
    }

private:
    void note(bool done) { ok_ = ok_ && done; }
    void followLines();

    ownedText& text_;
    bool ok_ = true;
    std::size_t lineBegin_ = 0;  // where the line being written begins
    std::size_t looked_ = 0;     // how far line ends were looked for
    bool inSection_ = false;
    earlierMessageEnd sectionEnd_;
    std::vector<std::size_t> marks_;
    // In the order noted, so in the order of the text: an edit moves those
    // after it, which are the last.
    std::size_t trail_[trailRoom];
    std::size_t trailCount_ = 0;
    // How many pieces were put in or taken out (insert, erase), and the
    // line the pass noted as written as it stood.
    std::size_t edits_ = 0;
    struct lineAsItStood {
        std::size_t at = unset;
        std::size_t end = unset;
        std::size_t edits = 0;
    } stood_;
};

}  // namespace postsift
