// Why a pass over the lines before the scanner, and not scanner rules:
//
// - What these options look for are lines and runs of lines: a signature
//   runs from its "-- " line to the end of its part, armour from a BEGIN line
//   to an END line, a cut link goes on in the next line, an attribution is
//   one only when quoted text follows it, a block of "From:" and "Sent:"
//   lines is one only with its second line. Seeing that takes
//   looking a few lines ahead, which a longest-match scanner without
//   backtracking cannot do, and start conditions for each would multiply
//   the scanner's conditions while every message paid for them.
// - With every option off the pass does not run at all, so the scanner,
//   the grammar and the per-token operations stay exactly what they were,
//   and so does what they say.
// - The pass is one walk over the lines with a bounded look-ahead (a cut
//   link or an attribution looks at most a few lines on), linear in the
//   message. What it writes (a phrase for a link, a line left out, an
//   "-----Original Message-----" line before an earlier message) is then
//   read like any other text: the scanner still decides what is body,
//   quote or header, and the options of quoted and forwarded text apply as
//   they always did.
//
// The rules are the rows of reading/pass/rule_table.cpp; reading_rule.h
// tells how a line goes through them.
#include "reading/pass/reading_pass.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "filter/epost_sift.h"
#include "reading/lines/leading_header.h"
#include "reading/lines/mime_boundary.h"
#include "reading/lines/separators.h"
#include "reading/pass/heard_text.h"
#include "reading/pass/rule_table.h"
#include "support/log.h"
#include "support/trace.h"

namespace postsift {

namespace {

struct activeRule {
    readingRule* rule;   // the room's
    const ruleRow* row;  // its row of the table
};

// A list of at most one item for each row of the table, in the pass's own
// room: the lists of a message are made for every message, and none needs
// an allocation of its own.
template <class item>
class rowList {
public:
    void push_back(item added) { items_[count_++] = std::move(added); }
    item* begin() { return items_; }
    item* end() { return items_ + count_; }
    const item* begin() const { return items_; }
    const item* end() const { return items_ + count_; }
    bool empty() const { return count_ == 0; }
    template <class predicate>
    void removeIf(predicate gone) {
        count_ = static_cast<std::size_t>(std::remove_if(begin(), end(), gone) - begin());
    }

private:
    item items_[mostRules];
    std::size_t count_ = 0;
};

// The rules whose options are on, in the table's order, into `active`;
// none when every option is off.
void makeActiveRules(epostSift& filter, ruleRoom& room, rowList<activeRule>& active) {
    const ruleSetting setting(filter);
    std::size_t count = 0;
    const ruleRow* rows = ruleRows(count);
    for (std::size_t i = 0; i < count; ++i)
        if (setting.isOn(rows[i].option)) active.push_back({rows[i].make(setting, room), &rows[i]});
}

// Whether a line of the header at the top begins a field, with its keyword:
// asked of the line after a dropped field, and kept for when the pass comes
// to it.
struct fieldStart {
    bool is = false;
    const char* keyword = nullptr;
    const char* keywordEnd = nullptr;
};

fieldStart fieldStartOf(const messageLine& line) {
    fieldStart start;
    start.is = isLeadingFieldLine(line, start.keyword, start.keywordEnd);
    return start;
}

// A rule as a stage calls it: the rule and its row's columns at hand, as
// every line goes through some thirty such calls.
struct stagedRule {
    readingRule* rule;
    lineFate fate;
    bool headerLines;
    bool idleOnUnheardQuotes;
};

class readingPass {
public:
    readingPass(epostSift& filter, rowList<activeRule>& rules, const char* textEnd, readingOutput& out)
        : rules_(rules), quotesHeard_(quotedTextIsHeard(ruleSetting(filter))), state_(filter, textEnd), out_(out) {
        for (activeRule& rule : rules_)
            for (rowList<stagedRule>& at : stages_)
                at.push_back({rule.rule, rule.row->fate, rule.row->headerLines, rule.row->idleOnUnheardQuotes});
        for (activeRule& rule : rules_)
            if (rule.row->headerLines) fieldReaders_.push_back(rule.rule);
    }

    void run(const char* text) {
        const char* p = leadingHeader(text);
        while (p < state_.textEnd) p = bodyLine(p);
        for (activeRule& rule : rules_) rule.rule->finish(state_, out_);
    }

private:
    // The header block at the top, as far as the scanner takes it for one:
    // field lines and their folded continuations, and the mangled '>' lines
    // among them, which go as they stand.
    const char* leadingHeader(const char* p) {
        bool inItem = false;
        // The line where a dropped field ended, cut already, and whether it
        // begins a field: what the next round would work out again.
        messageLine following;
        fieldStart followingField;
        while (p < state_.textEnd) {
            const bool cut = following.begin == p;
            const messageLine text = cut ? following : lineAt(p, state_.textEnd);
            const bool folded = inItem && text.begin < text.end && isBlank(*text.begin);
            if (!folded && text.depth > 0 && inItem) {
                const char* goesOn = headerGoesOnAfterQuotedLines(text, state_.textEnd);
                if (goesOn == nullptr) break;
                out_.put(text.begin, goesOn);
                p = goesOn;
                continue;
            }
            const fieldStart field = folded ? fieldStart() : cut ? followingField : fieldStartOf(text);
            if (!folded && !field.is) break;
            inItem = true;
            if (!folded) {
                bool read = false;
                const char* fieldEnd = droppedFieldEnd(text, field.keyword, field.keywordEnd, following, read);
                if (fieldEnd != nullptr) {
                    followingField = fieldEnd < state_.textEnd ? fieldStartOf(following) : fieldStart();
                    const bool leftOut = mayLeaveOutField(fieldEnd, followingField);
                    // A field that a rule reads and that stays in the text
                    // goes line by line, as any other.
                    if (!read || leftOut) {
                        if (read)
                            observeField(p, fieldEnd);
                        else if (!leftOut)
                            out_.put(text.begin, fieldEnd);
                        p = fieldEnd;
                        continue;
                    }
                }
                // A line it cut is not known to begin a field.
                following.begin = nullptr;
            }
            lineFacts line = observedHeaderLine(p, folded);
            const std::size_t written = out_.length();
            const unsigned holdings = holdingsOf(line);
            if (writeHeaderLine(line, holdings)) out_.noteLineAsItStood(written);
            for (const stagedRule& rule : stages_[readingRule::following])
                if (rule.headerLines && rule.rule->shows(readingRule::following, holdings))
                    rule.rule->after(line, lineFate::header, written, state_, out_);
            settleRules();
            p = line.line.next;
        }
        return p;
    }

    // Where the field that `line` begins, with the header keyword
    // [keyword, keywordEnd), ends, with its folded lines, when what the
    // rules would write of it cannot matter: the scanner drops its item.
    // Null otherwise, and when a line of it names a MIME boundary, which
    // the scanner takes from any item. `read` tells whether a rule reads
    // the field all the same (a list's fields); `after` receives the line
    // where the field ends, when one does.
    const char* droppedFieldEnd(const messageLine& line, const char* keyword, const char* keywordEnd,
                                messageLine& after, bool& read) {
        if (keywordEnd == nullptr || !state_.scannerDropsItem(keyword, keywordEnd)) return nullptr;
        for (readingRule* rule : fieldReaders_) read = rule->readsDroppedField(line, keyword, keywordEnd) || read;
        // Once each is asked, the few that read such fields are asked alone.
        if (!fieldReadersKnown_) {
            fieldReaders_.removeIf([](const readingRule* rule) { return rule->readsNoDroppedField(); });
            fieldReadersKnown_ = true;
        }
        messageLine at = line;
        for (;;) {
            if (findBoundaryParameter(at.begin, at.end).start != nullptr) return nullptr;
            if (at.next >= state_.textEnd) return at.next;
            after = lineAt(at.next, state_.textEnd);
            if (after.begin == after.end || !isBlank(*after.begin)) return at.next;
            at = after;
        }
    }

    // Whether a field that the scanner drops, ending at `fieldEnd`, may be
    // left out of the text altogether: the scanner would spend as much on
    // the Received lines and signatures of real mail as on the rest of the
    // message, to keep nothing of them. It may where another field begins
    // right after it: the scanner then goes from the item before it (or
    // from the start of the text) to that field's item as it went to the
    // dropped one's, the header block keeps its last item and its end, and
    // a quoted line or a text line that follows a field stays after the same
    // field. With diagnostics on, every item is scanned, so that the log
    // shows them all.
    // `after` tells of the line at `fieldEnd`, when the text goes on there.
    bool mayLeaveOutField(const char* fieldEnd, const fieldStart& after) const {
        return !diagnosticsOn_ && fieldEnd < state_.textEnd && after.is;
    }

    // A field that the scanner drops and a rule reads, [p, fieldEnd), which
    // is left out of the text: the rules that read header lines observe its
    // lines, as they would if it were written. Nothing they would write of
    // it could be heard, and the fields read so (a list's, a digest's
    // subject) are none that a rule takes: those are the date, the sender
    // and the subject, which the scanner says. So its lines have the facts
    // that a field is read by, and no more; and none of them names a MIME
    // boundary (droppedFieldEnd).
    void observeField(const char* p, const char* fieldEnd) {
        for (bool folded = false; p < fieldEnd; folded = true) {
            lineFacts line = fieldFactsOf(lineAt(p, state_.textEnd), state_.textEnd);
            observeAsHeader(line, folded);
            p = line.line.next;
            settleRules();
        }
    }

    // The line of the header block at the top that begins at `p`, once
    // the rules that read header lines have observed it.
    lineFacts observedHeaderLine(const char* p, bool folded) {
        lineFacts line = state_.lines.advanceTo(p);
        state_.boundaries.observe(line.line);
        observeAsHeader(line, folded);
        return line;
    }

    // `line`, of the header block at the top, observed by the rules that
    // read header lines.
    void observeAsHeader(lineFacts& line, bool folded) {
        line.header = true;
        line.folded = folded;
        for (const stagedRule& rule : stages_[readingRule::observing])
            if (rule.headerLines) rule.rule->observe(line, state_, out_);
    }

    // A header line: said by the rules that read header lines, or written as
    // it stands, which it tells.
    bool writeHeaderLine(const lineFacts& line, unsigned holdings) {
        for (const stagedRule& rule : stages_[readingRule::taking]) {
            if (rule.headerLines && rule.rule->shows(readingRule::taking, holdings) &&
                rule.rule->take(line, state_, out_).next != nullptr)
                return false;
        }
        out_.put(line.line.begin, line.line.next);
        return true;
    }

    const char* bodyLine(const char* p) {
        lineFacts line = state_.lines.advanceTo(p);
        // A boundary parameter has its '=', which the first look counts
        // among the signs of code.
        if (line.hasCodeSign) state_.boundaries.observe(line.line);
        line.boundary = state_.boundaries.isBoundaryLine(line.line);
        state_.news = passState::lineNews();
        for (const stagedRule& rule : stages_[readingRule::observing]) rule.rule->observe(line, state_, out_);

        const std::size_t written = out_.length();
        // What the line holds once the rules have read it as they do.
        const unsigned holdings = holdingsOf(line);
        lineFate fate = lineFate::text;
        const char* next = nullptr;
        for (const stagedRule& rule : stages_[readingRule::taking]) {
            if (!rule.rule->shows(readingRule::taking, holdings)) continue;
            const lineTaken taken = rule.rule->take(line, state_, out_);
            if (taken.next == nullptr) continue;
            if (taken.headerLine != nullptr) {
                lineFacts header = factsAt(taken.headerLine, taken.headerEnd);
                header.header = true;
                writeHeaderLine(header, holdingsOf(header));
            }
            fate = rule.fate;
            next = taken.next;
            break;
        }
        bool unheard = false;
        bool history = false;
        const std::size_t at = out_.length();
        if (next == nullptr) {
            history = readAsUnheardHistory(line);
            // Most lines are written as they stand, in one piece.
            if (line.markAsQuote == nullptr && line.line.content == line.line.prefixEnd) {
                out_.put(line.line.begin, line.line.next);
                out_.noteLineAsItStood(at);
            } else {
                out_.putPrefix(line);
                out_.put(line.line.content, line.line.next);
            }
            next = line.line.next;
            unheard = history || writtenAsUnheardQuote(line, at);
        }
        for (const stagedRule& rule : stages_[readingRule::following])
            if (!(unheard && rule.idleOnUnheardQuotes) && rule.rule->shows(readingRule::following, holdings))
                rule.rule->after(line, fate, written, state_, out_);
        if (history || (unheard && mayLeaveOutQuotedWords(line))) leaveOutWords(line, at);
        settleRules();
        return next;
    }

    // The words of a line that nobody hears (a quoted line, or an earlier
    // message's: see below), written from `at` as it stood, which no rule
    // has changed since: the scanner would read each of them only to let it
    // go. Its quote prefix, if it has one, and its line end stay, so the
    // scanner still reads a line there, quoted as it was, and a line looked
    // at from the next one is still quoted. The last line stays whole when
    // no line end follows it: to the grammar a quote mark needs a word or a
    // line end after it. So does a line with a return that ends no line,
    // which no word takes: the scanner hands it to its standard output, as
    // it hands any byte of no token.
    void leaveOutWords(const lineFacts& line, std::size_t at) {
        const messageLine& text = line.line;
        if (text.next == text.end || text.prefixEnd == text.end || !out_.holdsLineAsItStood(at) ||
            std::memchr(text.prefixEnd, '\r', static_cast<std::size_t>(text.end - text.prefixEnd)) != nullptr)
            return;
        out_.erase(at + static_cast<std::size_t>(text.prefixEnd - text.begin),
                   static_cast<std::size_t>(text.end - text.prefixEnd));
    }

    // Whether an unheard quoted line's words may go. (A line whose words
    // begin with a keyword is no unheard quote.) They stay where the scanner
    // reads more in them: an earlier message's separator, which opens a
    // block of header lines under it; and with diagnostics on, so that the
    // log shows every word.
    bool mayLeaveOutQuotedWords(const lineFacts& line) const {
        const messageLine& text = line.line;
        return !diagnosticsOn_ && !isSeparator(lineAt(text.prefixEnd, text.end));
    }

    // Whether a line that no rule took, about to be written as it stands,
    // is an earlier message's text that nobody hears: the scanner reads all
    // that follows as that message's section (its text was not quoted, and
    // no line ends the section any more), and drops the section's words
    // unless quotes are heard. Its words go once every rule has heard it,
    // its line end stays: the scanner reads a line there, a word of the
    // section between line ends, which a header keyword on the line after
    // it reads as before. Not counted is a line that the scanner may read as
    // more than words: one with a header keyword, one that begins with a
    // blank (it may go on with a header item above it) or with a dash (a
    // boundary line, a separator), a separator, a boundary; nor a quoted
    // line or one that a rule reads as quoted, nor a blank one. With
    // diagnostics on, every line is written whole, so that the log shows
    // every word.
    bool readAsUnheardHistory(const lineFacts& line) {
        const messageLine& text = line.line;
        if (quotesHeard_ || diagnosticsOn_ || text.depth > 0 || line.markAsQuote != nullptr ||
            line.keywordEnd != nullptr || line.boundary || line.blank || isBlank(*text.begin) ||
            *text.begin == '-' || isSeparator(text))
            return false;
        return out_.inEarlierMessageToTheEnd();
    }

    // Whether a line that no rule took, written from `at`, is quoted text
    // that nobody hears: the scanner reads a line that begins with '>' as
    // quoted, and leaves it out unless quotes are heard. A quote mark that
    // a rule put there is not counted (the line may yet be joined to
    // another), nor is a line that holds a header keyword (the scanner may
    // read it as a forwarded header).
    bool writtenAsUnheardQuote(const lineFacts& line, std::size_t at) {
        return !quotesHeard_ && line.markAsQuote == nullptr && line.keywordEnd == nullptr && at < out_.length() &&
               *out_.at(at) == '>';
    }

    // A rule that leaves a stage to the base does nothing there: once it is
    // seen to, it is called there no more. Most are seen to at the first
    // line, the rest (those a taking rule before them kept from a line) at
    // some later one; looking after the 1st, 2nd, 4th, 8th... line finds
    // them all soon enough, and a quiet rule called meanwhile does nothing.
    void settleRules() {
        ++linesRead_;
        if ((linesRead_ & (linesRead_ - 1)) == 0) leaveOutQuietRules();
    }

    void leaveOutQuietRules() {
        for (int stage = 0; stage < readingRule::stageCount; ++stage) {
            stages_[stage].removeIf([stage](const stagedRule& rule) {
                return rule.rule->leftAlone(static_cast<readingRule::stage>(stage));
            });
        }
    }

    rowList<activeRule>& rules_;
    const bool quotesHeard_;
    // The rules that act at each stage, in the table's order.
    rowList<stagedRule> stages_[readingRule::stageCount];
    // The rules that read header lines, asked whether they read a field
    // that the scanner drops; those that read none once known.
    rowList<readingRule*> fieldReaders_;
    bool fieldReadersKnown_ = false;
    std::size_t linesRead_ = 0;
    const bool diagnosticsOn_ = traceIsOn() || maxLevel >= 3;
    passState state_;
    readingOutput& out_;
};

}  // namespace

bool rewriteForReading(epostSift& filter, const char* text, std::size_t length, ownedText& out) {
    try {
        // The room goes after the rules made in it.
        ruleRoom room;
        rowList<activeRule> rules;
        makeActiveRules(filter, room, rules);
        if (rules.empty()) return false;
        // An empty text, not an absent one, when everything was left out.
        // Room for the whole message from the start, made in one step: the
        // rewritten text is seldom longer, and growing it by doubling could
        // hold twice as much.
        out.truncate(0);
        if (!out.reserve(length)) return false;
        readingOutput written(out);
        readingPass(filter, rules, text + length, written).run(text);
        return written.ok();
    } catch (const std::exception&) {
        // Memory ran out, or a rule failed: the message is read as it came
        // rather than not at all.
        return false;
    }
}

}  // namespace postsift
