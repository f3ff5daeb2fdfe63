// Which lines of a reply are the sender's own, compared with a simple model
// over random quote structures: paragraphs of one's own (some beginning with
// a word and a colon), quotes (some marked with initials, a lone line of
// initials in capitals, or with another mark: "| ", ") ", ": ", "--] "),
// earlier messages under a separator with their header lines, attributions
// of every shape above quotes or above an earlier message without '>'
// marks, which is one only when no quote follows anywhere below, blank
// lines. Every own line must be heard whole, and nothing quoted or earlier:
// not even what the reading aids would make of it (a link's phrase, a day
// name or a reply marker translated, a keyword's phrase).
//
// Each reply begins with a line of its own: an earlier message with
// nothing of one's own above it is read as a forward, which the reading
// pass's own tests cover.
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
        if (options_) ownLine();
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
        return heard();
    }

private:
    // What the pass and the scanner make of a line.
    enum class kind {
        text,       // written as text: heard when it is one's own and no earlier message holds it
        leftOut,    // left out by the pass
        separator,  // an earlier message begins after it
        header,     // a header line of an earlier message
        history,    // an attribution with an earlier message under it without '>' marks
    };
    struct modelLine {
        std::string text;
        std::vector<std::string> words;
        bool own;
        bool quoted;
        kind what;
    };

    // Where an earlier message stands open, the first line after its
    // header lines and blank lines decides: a quote ends it there, anything
    // else keeps it open to the end of the message. An attribution above
    // text without '>' marks begins one only when no quote follows anywhere
    // below it; else it is a line of text.
    std::vector<generatedLine> heard() const {
        std::vector<generatedLine> out;
        bool pending = false;
        bool toTheEnd = false;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const modelLine& line = lines_[i];
            kind what = line.what;
            if (what == kind::history) {
                bool quoteBelow = false;
                for (std::size_t j = i + 1; j < lines_.size(); ++j) quoteBelow = quoteBelow || lines_[j].quoted;
                if (quoteBelow) {
                    what = kind::text;
                } else if (!toTheEnd && !pending) {
                    toTheEnd = true;
                }
            }
            if ((what == kind::text || what == kind::separator) && pending && !line.text.empty()) {
                pending = false;
                toTheEnd = toTheEnd || !line.quoted;
            }
            if (what == kind::separator) pending = true;
            out.push_back({line.text, line.words, what == kind::text && line.own && !toTheEnd});
        }
        return out;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // Letters only: a word with a digit would pass for part of a date.
    std::string word(const char* stem) {
        std::string w = stem;
        for (int n = ++counter_; n > 0; n /= 26) w += static_cast<char>('a' + n % 26);
        return w + "x";
    }

    void add(std::string text, std::vector<std::string> words, bool own, bool quoted) {
        lines_.push_back({std::move(text), std::move(words), own, quoted, kind::text});
    }
    // A line the scanner never sees: the reading pass left it out.
    void leftOut(std::string text, std::vector<std::string> words) {
        lines_.push_back({std::move(text), std::move(words), false, false, kind::leftOut});
    }

    void ownLine() {
        std::vector<std::string> words{word("own"), word("own")};
        add(words[0] + " " + words[1] + ".", words, true, false);
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

    // Quotes; with the reading options some are marked with initials or
    // another mark, which are text without them.
    void quote() {
        static const char* const marks[] = {"AB> ", "| ", ") ", ": ", "--] "};
        const int style = pick(0, 9);
        if (style == 0) {
            const std::string w = word("quoted");
            add("GS> " + w + history, {w}, !options_, options_);
            return;
        }
        const bool marked = style <= 5;
        const char* mark = marks[pick(0, 4)];
        for (int i = marked ? pick(2, 3) : pick(1, 3); i > 0; --i) {
            const std::string w = word("quoted");
            if (marked)
                add(mark + w + history, {w}, !options_, options_);
            else
                add(std::string(static_cast<std::size_t>(pick(1, 2)), '>') + " " + w + history, {w}, false, true);
        }
    }

    void blanks() {
        for (int i = pick(1, 2); i > 0; --i) add("", {}, false, false);
    }

    void earlierMessage() {
        lines_.push_back({"-----Original Message-----", {}, false, false, kind::separator});
        static const char* const names[] = {"From", "Sent", "To", "Subject", "Importance"};
        for (int i = pick(1, 3); i > 0; --i) {
            const std::string w = word("old");
            lines_.push_back({std::string(names[pick(0, 4)]) + ": " + w + history, {w}, false, false, kind::header});
        }
        lines_.push_back({"", {}, false, false, kind::header});
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
    // the end of the message, unless a quote follows below.
    void unquotedEarlierMessage() {
        const std::string name = word("Name");
        const std::string text = "Le 11 mars 2025 \xe0 09:12, " + name + " <n@x.fr> a \xe9" "crit :";
        if (options_)
            lines_.push_back({text, {name}, true, false, kind::history});
        else
            add(text, {name}, true, false);
        add("", {}, false, false);
        const std::string w = word("earlier");
        add(w + " text.", {w}, true, false);
    }

    std::mt19937 random_;
    bool options_;
    std::vector<modelLine> lines_;
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
