// Where the time of a whole filtering run goes. Each stage is timed alone,
// inside this program, on the very text it reads in a whole run:
//   decoding stage      decodeMessage on the messages as they came;
//   reading pass        rewriteForReading on what the decoding stage made of
//                       them, and again with each of its options alone on;
//   scanner             the e-mail scanner run to the end of the text that
//                       the scanner reads in a whole run, without the grammar;
//   scanner and parser  the grammar over that text, driving operations that
//                       do nothing.
// The parser is the scanner and parser less the scanner alone; the
// operations, and the output they build, are what the whole run takes
// beyond the decoding stage, the reading pass and the scanner and parser.
//
// The scanner alone and the grammar with idle operations run against a
// filter with no entries, as the bench has always timed them: the lookups
// that the scanner makes in the filter's rules for a line-start keyword
// ("Note:" is a header item only if a rule names it) then fall to the
// operations' share.
#include "stage_shares.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>

#include "email/email_scanner.h"
#include "email/parse_driver.h"
#include "filter/language_phrases.h"
#include "filter/localized_epost_sift.h"
#include "filter/option_value.h"
#include "idle_filter.h"
#include "language_choice.h"
#include "mime/mime_stage.h"
#include "platform/stdout_capture.h"
#include "reading/pass/reading_pass.h"
#include "reading/pass/rule_table.h"
#include "support/owned_text.h"
#include "support/reserved_names.h"

namespace postsift::bench {

namespace {

using clockType = std::chrono::steady_clock;
constexpr double megabyte = 1024.0 * 1024.0;

double since(clockType::time_point start) { return std::chrono::duration<double>(clockType::now() - start).count(); }

bool isOn(const epostSift& filter, const char* option) {
    const filterEntry* entry = filter.filterList != nullptr ? findException(filter.filterList, option) : nullptr;
    return entry != nullptr && valueSaysTrue(*entry);
}

// As the whole run decides it: on unless present with a value without "true".
bool decodesMime(const epostSift& filter) {
    const filterEntry* entry =
        filter.filterList != nullptr ? findException(filter.filterList, optionDecodeMime) : nullptr;
    return entry == nullptr || entry->value() == nullptr || valueSaysTrue(*entry);
}

// What the whole run tells the decoding stage.
mime::stageOptions decodingOptions(const epostSift& filter) {
    mime::stageOptions options;
    options.attachmentPhrase = phraseOf(filter, symbolAttachment, buildLanguagePhrases().attachment);
    options.readForwardedMessages = isOn(filter, optionReadForwardedMessages);
    options.unwrapFlowed = isOn(filter, optionReadParagraphs);
    return options;
}

// The configuration's filter, switched on, with the option keys of `off`
// then set to "false".
std::unique_ptr<localizedEpostSift> makeFilter(const configuration& measured, const std::vector<const char*>& off) {
    auto filter = std::make_unique<localizedEpostSift>();
    if (!measured.file.empty() && filter->readConfigFile(measured.file.c_str()) != 0) {
        std::fprintf(stderr, "filter_bench: cannot read %s\n", measured.file.c_str());
        return nullptr;
    }
    for (const auto& [key, value] : measured.entries) filter->updateFilter(key.c_str(), value.c_str());
    for (const char* key : off) filter->updateFilter(key, "false");
    filter->activateFilter();
    return filter;
}

// The pass runs whenever one of its options is on, whatever the text: an
// empty text tells.
bool passRuns(epostSift& filter) {
    ownedText out;
    return rewriteForReading(filter, "", 0, out);
}

std::vector<const char*> allBut(const std::vector<const char*>& keys, const char* kept) {
    std::vector<const char*> others;
    for (const char* key : keys)
        if (key != kept) others.push_back(key);
    return others;
}

// Every option key: those of the layers below the reading pass, and the
// rule table's (a key may be in both: it is listed once).
std::vector<const char*> everyOptionKey() {
    std::vector<const char*> keys(std::begin(optionKeys), std::end(optionKeys));
    std::size_t count = 0;
    const ruleRow* rows = ruleRows(count);
    for (std::size_t i = 0; i < count; ++i) {
        bool listed = false;
        for (const char* key : keys) listed = listed || std::strcmp(key, rows[i].option) == 0;
        if (!listed) keys.push_back(rows[i].option);
    }
    return keys;
}

// The reading pass's concerns in this configuration: of the option keys
// it turns on (`on`), those that make the pass run by themselves, every
// other one off.
bool concernsOf(const configuration& measured, const epostSift& whole, std::vector<const char*>& on,
                std::vector<const char*>& concerns) {
    for (const char* key : everyOptionKey())
        if (isOn(whole, key)) on.push_back(key);
    for (const char* key : on) {
        const auto alone = makeFilter(measured, allBut(on, key));
        if (alone == nullptr) return false;
        if (passRuns(*alone)) concerns.push_back(key);
    }
    return true;
}

// Cut at the first NUL, as the scanner's input is.
std::string upToNul(const char* text, std::size_t length) {
    const void* nul = std::memchr(text, '\0', length);
    return std::string(text, nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : length);
}

// What the stages after decoding read in a whole run.
struct stageInputs {
    std::vector<std::string> decoded;  // what the reading pass reads
    std::vector<std::string> scanned;  // what the scanner reads
    // The forwarded messages that the decoding stage found, which the whole
    // run leaves in the filter for the pass.
    std::vector<unsigned> forwardedParts;
};

// The reading pass on one message, the filter set up as the whole run
// leaves it.
bool readingPass(epostSift& filter, const stageInputs& inputs, std::size_t i, ownedText& out) {
    filter.forwardedParts = inputs.forwardedParts[i];
    return rewriteForReading(filter, inputs.decoded[i].data(), inputs.decoded[i].size(), out);
}

stageInputs prepare(epostSift& filter, const std::vector<std::string>& messages) {
    stageInputs inputs;
    const bool decodes = decodesMime(filter);
    const mime::stageOptions options = decodingOptions(filter);
    for (const std::string& message : messages) {
        mime::textBuffer out;
        mime::stageFindings found;
        if (decodes && mime::decodeMessage(message.data(), message.size(), options, out, found) ==
                           mime::stageOutcome::decoded) {
            inputs.decoded.push_back(upToNul(out.text(), out.size()));
            inputs.forwardedParts.push_back(found.forwardedMessages);
        } else {
            inputs.decoded.push_back(message);
            inputs.forwardedParts.push_back(0);
        }
        ownedText rewritten;
        if (readingPass(filter, inputs, inputs.decoded.size() - 1, rewritten))
            inputs.scanned.push_back(upToNul(rewritten.get(), rewritten.length()));
        else
            inputs.scanned.push_back(inputs.decoded.back());
    }
    return inputs;
}

// The scanner from the first byte of `text` to its end, as a parse starts
// it, with no grammar asking for the tokens.
void scanAlone(epostSift& context, const std::string& text) {
    currentFilter = &context;
    emailInputText = text.c_str();
    emailInputLength = text.size();
    emailInputPos = 0;
    if (resetEmailScanner())
        while (nextEmailToken() != 0) {
        }
    releaseEmailScannerInput();
    emailInputText = nullptr;
    emailInputLength = 0;
    emailInputPos = 0;
}

// Whether the grammar takes the whole text: it has no error recovery, so a
// syntax error ends the parse where the scanner alone goes on.
bool parsesToEnd(epostSift& context, const std::string& text) {
    currentFilter = &context;
    emailInputText = text.c_str();
    emailInputLength = text.size();
    emailInputPos = 0;
    const bool accepted = resetEmailScanner() && parseEmail() == 0;
    releaseEmailScannerInput();
    emailInputText = nullptr;
    emailInputLength = 0;
    emailInputPos = 0;
    return accepted;
}

template <typename Work>
timedPass overMessages(std::size_t count, Work work) {
    return [count, work]() {
        const auto start = clockType::now();
        for (std::size_t i = 0; i < count; ++i) work(i);
        return since(start);
    };
}

struct stageRow {
    std::string name;
    double seconds;  // negative: not measured
    bool derived;
};

void printTable(const configuration& measured, std::size_t bytes, double whole, const std::vector<stageRow>& rows) {
    const double size = static_cast<double>(bytes) / megabyte;
    std::printf("\n%s: whole filter in this program %.1f MB/s\n", measured.name.c_str(), size / whole);
    std::printf("  %-44s %9s %9s %7s\n", "stage", "ms", "MB/s", "share");
    for (const stageRow& row : rows) {
        if (row.seconds < 0) {
            std::printf("  %-44s %9s %9s %7s\n", row.name.c_str(), "-", "-", "-");
            continue;
        }
        std::printf("  %-44s %9.1f", row.name.c_str(), 1e3 * row.seconds);
        if (row.derived || row.seconds <= 0) std::printf(" %9s", "");
        else std::printf(" %9.1f", size / row.seconds);
        std::printf(" %6.1f%%\n", 100.0 * row.seconds / whole);
    }
}

// What each option's rule costs beyond the walk that every pass makes
// (the lines and their facts, the text written): its row less the least of
// the rows, whose rule does next to nothing on most lines. Against the
// scanner, which no stage of the pass should outlast.
void printOwnTimes(const std::vector<const char*>& concerns, const std::vector<double>& alone, double scanner) {
    if (concerns.size() < 2) return;
    std::size_t least = 0;
    for (std::size_t i = 1; i < alone.size(); ++i)
        if (alone[i] < alone[least]) least = i;
    std::printf("  each option's own time: its row less the least, %s alone (%.1f ms), against the scanner's\n",
                concerns[least], 1e3 * alone[least]);
    for (std::size_t i = 0; i < concerns.size(); ++i) {
        if (i == least) continue;
        const double own = alone[i] - alone[least];
        std::printf("    %-42s %9.1f %8.0f%% of the scanner\n", concerns[i], 1e3 * own, 100.0 * own / scanner);
    }
}

}  // namespace

bool printStageShares(const configuration& measured, const std::vector<std::string>& messages,
                      const std::vector<std::string>& pluginSays, const passPolicy& policy) {
    if (!chooseLanguage(measured.language)) {
        std::fprintf(stderr, "filter_bench: no built language %s\n", measured.language.c_str());
        return false;
    }
    const auto filter = makeFilter(measured, {});
    if (filter == nullptr) return false;
    std::vector<const char*> on;
    std::vector<const char*> concerns;
    if (!concernsOf(measured, *filter, on, concerns)) return false;
    std::vector<std::unique_ptr<localizedEpostSift>> alone;
    for (const char* key : concerns) {
        alone.push_back(makeFilter(measured, allBut(on, key)));
        if (alone.back() == nullptr) return false;
    }

    // The scanner writes the bytes that none of its rules takes to standard
    // output; they must not mix with the table.
    platform::stdoutCapture capture;
    if (!capture.capturing()) {
        std::fprintf(stderr, "filter_bench: %s\n", capture.error().c_str());
        return false;
    }
    const stageInputs inputs = prepare(*filter, messages);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const char* out = nullptr;
        filter->getFilteredText(messages[i].c_str(), &out, 0);
        if (i >= pluginSays.size() || pluginSays[i] != (out != nullptr ? out : "")) ++differing;
    }
    idleFilter idle;
    std::size_t stopped = 0;
    for (const std::string& text : inputs.scanned)
        if (!parsesToEnd(idle, text)) ++stopped;

    const std::size_t count = messages.size();
    const bool decodes = decodesMime(*filter);
    const bool reads = passRuns(*filter);
    const mime::stageOptions options = decodingOptions(*filter);
    epostSift* whole = filter.get();
    std::vector<timedPass> tasks;
    tasks.push_back(overMessages(count, [&](std::size_t i) {
        const char* out = nullptr;
        whole->getFilteredText(messages[i].c_str(), &out, 0);
    }));
    if (decodes)
        tasks.push_back(overMessages(count, [&](std::size_t i) {
            mime::textBuffer out;
            mime::stageFindings found;
            mime::decodeMessage(messages[i].data(), messages[i].size(), options, out, found);
        }));
    std::vector<epostSift*> passFilters;
    if (reads) passFilters.push_back(whole);
    for (const auto& one : alone) passFilters.push_back(one.get());
    for (epostSift* passFilter : passFilters)
        tasks.push_back(overMessages(count, [&inputs, passFilter](std::size_t i) {
            ownedText out;
            readingPass(*passFilter, inputs, i, out);
        }));
    tasks.push_back(overMessages(count, [&](std::size_t i) { scanAlone(idle, inputs.scanned[i]); }));
    tasks.push_back(overMessages(count, [&](std::size_t i) {
        idle.parseEmailText(inputs.scanned[i].c_str(), inputs.scanned[i].size());
    }));
    const std::vector<double> best = bestOfRounds(tasks, policy);
    std::string stray;
    capture.finish(stray);

    std::size_t next = 0;
    const double wholeTime = best[next++];
    const double decoding = decodes ? best[next++] : 0;
    const double reading = reads ? best[next++] : 0;
    std::vector<stageRow> rows;
    rows.push_back({"decoding stage", decodes ? decoding : -1, false});
    rows.push_back({"reading pass", reads ? reading : -1, false});
    const auto aloneFrom = best.begin() + static_cast<std::ptrdiff_t>(next);
    const std::vector<double> aloneTimes(aloneFrom, aloneFrom + static_cast<std::ptrdiff_t>(concerns.size()));
    for (const char* key : concerns) rows.push_back({std::string("  ") + key + " alone", best[next++], false});
    const double scanner = best[next++];
    const double scanAndParse = best[next++];
    rows.push_back({"scanner", scanner, false});
    rows.push_back({"parser (scanner and parser less scanner)", scanAndParse - scanner, true});
    rows.push_back({"operations and output (the rest)", wholeTime - decoding - reading - scanAndParse, true});
    rows.push_back({"whole filter", wholeTime, false});
    rows.push_back({"(scanner and parser, operations idle)", scanAndParse, false});

    std::size_t bytes = 0;
    for (const std::string& message : messages) bytes += message.size();
    printTable(measured, bytes, wholeTime, rows);
    printOwnTimes(concerns, aloneTimes, scanner);
    if (differing == 0)
        std::printf("  this program's filter says what the plug-in says, for each of the %zu messages\n", count);
    else
        std::printf("  NOTE: this program's filter says something else than the plug-in for %zu of %zu messages\n",
                    differing, count);
    if (stopped > 0)
        std::printf("  the grammar stopped at a syntax error in %zu of %zu messages: the scanner alone reads "
                    "them to the end\n",
                    stopped, count);
    return true;
}

}  // namespace postsift::bench
