// Which lines of a reply are the sender's own, compared with a simple model
// over random quote structures: paragraphs of one's own (some beginning with
// a word and a colon), quotes, earlier messages under a separator with their
// header lines, attributions above quotes, blank lines. Every own line must
// be heard whole, and nothing quoted or earlier.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "config/builtin_table.h"
#include "filter/epost_sift.h"

using namespace postsift;

namespace {

struct generatedLine {
    std::string text;
    std::vector<std::string> words;  // the line's own words, each found nowhere else
    bool heard;                      // what the model says
};

class replyGenerator {
public:
    replyGenerator(unsigned seed, bool attributionsDropped) : random_(seed), dropped_(attributionsDropped) {}

    std::vector<generatedLine> reply() {
        lines_.clear();
        toTheEnd_ = false;
        pendingSection_ = false;
        const int segments = pick(1, 8);
        for (int i = 0; i < segments; ++i) {
            switch (pick(0, 4)) {
                case 0: ownParagraph(); break;
                case 1: quote(); break;
                case 2: earlierMessage(); break;
                case 3: attributedQuote(); break;
                default: blanks(); break;
            }
        }
        return lines_;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::string word(const char* stem) { return stem + std::to_string(++counter_) + "x"; }

    // Where an earlier message stands open, the first line after its
    // header lines and blank lines decides: a quote ends it there, anything
    // else keeps it open to the end of the message.
    void add(std::string text, std::vector<std::string> words, bool own, bool quoted) {
        if (pendingSection_ && !text.empty()) {
            pendingSection_ = false;
            toTheEnd_ = toTheEnd_ || !quoted;
        }
        lines_.push_back({std::move(text), std::move(words), own && !toTheEnd_});
    }

    void ownParagraph() {
        for (int i = pick(1, 3); i > 0; --i) {
            std::vector<std::string> words{word("own"), word("own")};
            std::string text = words[0] + " " + words[1] + ".";
            if (pick(0, 2) == 0) {
                words.insert(words.begin(), word("Tip") + ":");
                text = words[0] + " " + text;
            }
            add(text, words, true, false);
        }
    }

    void quote() {
        for (int i = pick(1, 3); i > 0; --i) {
            const std::string w = word("quoted");
            add(std::string(static_cast<std::size_t>(pick(1, 2)), '>') + " " + w + " text", {w}, false, true);
        }
    }

    void blanks() {
        for (int i = pick(1, 2); i > 0; --i) add("", {}, false, false);
    }

    void earlierMessage() {
        add("-----Original Message-----", {}, false, false);
        pendingSection_ = true;
        static const char* const names[] = {"From", "Sent", "To", "Subject", "Importance"};
        for (int i = pick(1, 3); i > 0; --i) {
            const std::string w = word("old");
            lines_.push_back({std::string(names[pick(0, 4)]) + ": " + w, {w}, false});
        }
        lines_.push_back({"", {}, false});
    }

    // An attribution that is left out is not there for the scanner either.
    void attributedQuote() {
        const std::string w = word("Name");
        if (dropped_)
            lines_.push_back({w + " wrote:", {w}, false});
        else
            add(w + " wrote:", {w}, true, false);
        quote();
    }

    std::mt19937 random_;
    bool dropped_;
    std::vector<generatedLine> lines_;
    bool pendingSection_ = false;
    bool toTheEnd_ = false;
    int counter_ = 0;
};

// Whether `word` stands in `text` as a word of its own.
bool heardIn(const std::string& text, const std::string& word) {
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        const bool startsWord = at == 0 || text[at - 1] == ' ' || text[at - 1] == '\n';
        const bool endsWord = end == text.size() || std::string(" .\n").find(text[end]) != std::string::npos;
        if (startsWord && endsWord) return true;
    }
    return false;
}

void compareWithModel(bool readingOptions) {
    epostSift filter;
    installBuiltIns(filter, frenchBuiltIns);
    if (readingOptions) {
        filter.updateFilter("[FIND ORIGINAL MESSAGE]", "true");
        filter.updateFilter("[DROP ATTRIBUTION]", "true");
        filter.updateFilter("[READ FORWARDED MESSAGES]", "true");
    }
    filter.activateFilter();
    replyGenerator generator(20261208u + (readingOptions ? 1u : 0u), readingOptions);
    for (int message = 0; message < 400; ++message) {
        const std::vector<generatedLine> lines = generator.reply();
        std::string text = "From: Bob <bob@example.com>\nSubject: Re: Plan\n\n";
        for (const generatedLine& line : lines) text += line.text + "\n";
        const char* out = nullptr;
        filter.getFilteredText(text.c_str(), &out, 0);
        const std::string spoken = out != nullptr ? out : "";
        for (const generatedLine& line : lines) {
            for (const std::string& w : line.words) {
                ASSERT_EQ(heardIn(spoken, w), line.heard)
                    << "line \"" << line.text << "\" of\n" << text << "\nspoken:\n" << spoken;
            }
        }
    }
}

}  // namespace

TEST(NewTextModel, EveryOwnLineIsHeardAndNothingQuoted) { compareWithModel(false); }

TEST(NewTextModel, TheSameWithEarlierMessagesAndAttributionsFound) { compareWithModel(true); }
