// Which lines of a reply are the sender's own, compared with a simple model
// over random quote structures: paragraphs of one's own (some beginning with
// a word and a colon), quotes (some marked with initials), earlier messages
// under a separator with their header lines, attributions of every shape
// above quotes or above an earlier message without '>' marks, blank lines.
// Every own line must be heard whole, and nothing quoted or earlier: not
// even what the reading aids would make of it (a link's phrase, a day name
// or a reply marker translated, a keyword's phrase).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "language_builds.h"
#include "filter/epost_sift.h"

using namespace postsift;

namespace {

struct generatedLine {
    std::string text;
    std::vector<std::string> words;  // the line's own words, each found nowhere else
    bool heard;                      // what the model says
};

// What history holds that a reading aid would turn into words of its own.
const char history[] = " Mon, http://leak.example/x Re: Date: :-)";
const char* const leaks[] = {"lien vers", "Lundi", "ponse:", "re\xe7u le", "leak"};

class replyGenerator {
public:
    replyGenerator(unsigned seed, bool readingOptions) : random_(seed), options_(readingOptions) {}

    std::vector<generatedLine> reply() {
        lines_.clear();
        toTheEnd_ = false;
        pendingSection_ = false;
        const int segments = pick(1, 8);
        for (int i = 0; i < segments; ++i) {
            switch (pick(0, 6)) {
                case 0:
                case 1: ownParagraph(); break;
                case 2: quote(); break;
                case 3: earlierMessage(); break;
                case 4: attributedQuote(); break;
                case 5: unquotedEarlierMessage(); break;
                default: blanks(); break;
            }
        }
        return lines_;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // Letters only: a word with a digit would pass for part of a date.
    std::string word(const char* stem) {
        std::string w = stem;
        for (int n = ++counter_; n > 0; n /= 26) w += static_cast<char>('a' + n % 26);
        return w + "x";
    }

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
    // A line the scanner never sees: the reading pass left it out.
    void leftOut(std::string text, std::vector<std::string> words) {
        lines_.push_back({std::move(text), std::move(words), false});
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

    // Quotes; with the reading options some are marked with initials,
    // which are text without them.
    void quote() {
        const bool initials = pick(0, 3) == 0;
        for (int i = initials ? pick(2, 3) : pick(1, 3); i > 0; --i) {
            const std::string w = word("quoted");
            if (initials)
                add("AB> " + w + history, {w}, !options_, options_);
            else
                add(std::string(static_cast<std::size_t>(pick(1, 2)), '>') + " " + w + history, {w}, false, true);
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
            lines_.push_back({std::string(names[pick(0, 4)]) + ": " + w + history, {w}, false});
        }
        lines_.push_back({"", {}, false});
    }

    // An attribution in one of its shapes; one that the pass leaves out is
    // not there for the scanner either.
    std::string attribution(const std::string& name) {
        switch (pick(0, 4)) {
            case 0: return name + " wrote:";
            case 1: return "On Mon, 1 Jan 2024 at 9:12 AM, " + name + " <n@x.org> wrote:";
            case 2: return "Den 11 mars 2025 09:12 skrev " + name + " <n@x.se>:";
            case 3: return "11.03.2025 09:12 \"" + name + "\" <n@x.org>:";
            default: return "El 11 mar 2025, a las 9:12, " + name + " <n@x.es> escribio:";
        }
    }

    void attributedQuote() {
        const std::string w = word("Name");
        if (options_)
            leftOut(attribution(w), {w});
        else
            add(attribution(w), {w}, true, false);
        quote();
    }

    // A wording of the languages with a date and a name, then the earlier
    // message with no '>' marks: with the reading options it is history to
    // the end of the message.
    void unquotedEarlierMessage() {
        const std::string name = word("Name");
        const std::string text = "Le 11 mars 2025 \xe0 09:12, " + name + " <n@x.fr> a \xe9" "crit :";
        if (options_) {
            leftOut(text, {name});
            if (!toTheEnd_ && !pendingSection_) toTheEnd_ = true;
        } else {
            add(text, {name}, true, false);
        }
        add("", {}, false, false);
        const std::string w = word("earlier");
        add(w + " text.", {w}, true, false);
    }

    std::mt19937 random_;
    bool options_;
    std::vector<generatedLine> lines_;
    bool pendingSection_ = false;
    bool toTheEnd_ = false;
    int counter_ = 0;
};

// Whether `word` stands in `text` as a word of its own.
bool heardIn(const std::string& text, const std::string& word) {
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        const bool startsWord = at == 0 || std::string(" \n\"").find(text[at - 1]) != std::string::npos;
        const bool endsWord = end == text.size() || std::string(" .\n\"").find(text[end]) != std::string::npos;
        if (startsWord && endsWord) return true;
    }
    return false;
}

void compareWithModel(bool readingOptions) {
    epostSift filter;
    installBuiltIns(filter, frenchBuild.table);
    if (readingOptions) {
        for (const char* option : {"[SPEAK LINKS]", "[DROP SIGNATURE]", "[SQUEEZE REPLY MARKERS]", "[DROP ATTRIBUTION]",
                                   "[FIND ORIGINAL MESSAGE]", "[READ FORWARDED MESSAGES]"})
            filter.updateFilter(option, "true");
    }
    filter.activateFilter();
    replyGenerator generator(20261208u + (readingOptions ? 1u : 0u), readingOptions);
    for (int message = 0; message < 400; ++message) {
        const std::vector<generatedLine> lines = generator.reply();
        std::string text = "From: Bob <bob@example.com>\nSubject: Plan\n\n";
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
        if (!readingOptions) continue;
        for (const char* leak : leaks)
            ASSERT_EQ(spoken.find(leak), std::string::npos) << leak << " in\n" << spoken << "\nof\n" << text;
    }
}

}  // namespace

TEST(NewTextModel, EveryOwnLineIsHeardAndNothingQuoted) { compareWithModel(false); }

TEST(NewTextModel, TheSameWithEveryReadingAid) { compareWithModel(true); }
