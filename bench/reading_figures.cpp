// Figures of what a listener hears of real mail with one configuration:
// boilerplate that closes a message and is still read, full stops spoken
// where a sentence goes on, code and logs read out, and summaries that keep
// a date as written or lack the sender or subject. Each figure comes from a
// simple judgement of the raw message's shape (reading_shapes.h) and of the
// spoken text, the same before and after a change; see
// docs/building-and-testing.md, "Measuring what is heard".
//
//   reading_figures [--language CODE] [--config FILE | --built-ins] [--list] PATH...
//
// PATH is a message file or a folder of them (read recursively, in path
// order; files that do not open with a header field are passed over).
// Without --config or --built-ins the plug-in reads the language's shipped
// configuration, as postsift-filter --report does. --list names each
// message behind a figure, with an example, before the figures.
//
// A measuring tool, not a test: it prints figures and fails only when it
// cannot run.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ascii_text.h"
#include "heard_words.h"
#include "input_reader.h"
#include "known_languages.h"
#include "line_roles.h"
#include "message_text.h"
#include "plugin_copy.h"
#include "plugin_session.h"
#include "reading_report.h"
#include "reading_shapes.h"
#include "text_encoding.h"

namespace {

namespace fs = std::filesystem;
using namespace postsift;

struct options {
    std::string language;  // empty: the locale's, as for postsift-filter
    std::string config;
    bool builtIns = false;
    bool list = false;
    std::vector<std::string> paths;
};

struct figures {
    std::size_t messages = 0;
    std::size_t trailers[4] = {};  // per kind: messages whose text ends with one
    std::size_t trailersRead[4] = {};
    std::size_t anyTrailer = 0;
    std::size_t anyTrailerRead = 0;
    std::size_t fullStopMessages = 0;
    std::size_t fullStops = 0;
    std::size_t codeLines = 0;
    std::size_t codeLinesRead = 0;
    std::size_t codeMessages = 0;
    std::size_t codeMessagesRead = 0;
    std::size_t dates = 0;
    std::size_t datesKept = 0;
    std::size_t datesMissing = 0;
    std::size_t senders = 0;
    std::size_t sendersLacking = 0;
    std::size_t subjects = 0;
    std::size_t subjectsLacking = 0;
};

bool usage(const char* problem) {
    std::fprintf(stderr,
                 "reading_figures: %s\nusage: reading_figures [--language CODE] [--config FILE | --built-ins] "
                 "[--list] PATH...\n",
                 problem);
    return false;
}

bool parse(int argc, char** argv, options& chosen) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if ((argument == "--language" || argument == "--config") && i + 1 < argc) {
            (argument == "--language" ? chosen.language : chosen.config) = argv[++i];
        } else if (argument == "--built-ins") {
            chosen.builtIns = true;
        } else if (argument == "--list") {
            chosen.list = true;
        } else if (!argument.empty() && argument[0] == '-') {
            return usage(("unknown option " + argument).c_str());
        } else {
            chosen.paths.push_back(argument);
        }
    }
    if (chosen.language.empty())
        chosen.language = host::languageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")).code;
    if (host::languageOfCode(chosen.language) == nullptr) return usage("unknown language");
    if (chosen.paths.empty()) return usage("no folder or message");
    return true;
}

bool isMessageFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string line;
    if (!std::getline(file, line)) return false;
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string::npos) return false;
    for (std::size_t i = 0; i < colon; ++i)
        if (line[i] <= ' ' || line[i] > '~') return false;
    return true;
}

std::vector<std::string> messageFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code failure;
        if (!fs::is_directory(path, failure)) {
            files.push_back(path);
            continue;
        }
        std::vector<std::string> found;
        for (fs::recursive_directory_iterator entry(path, failure), end; !failure && entry != end;
             entry.increment(failure))
            if (entry->is_regular_file(failure) && isMessageFile(entry->path().string()))
                found.push_back(entry->path().string());
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

// The configuration chosen, as postsift-filter --report chooses it: the
// postsift.cfg beside the plug-in, else the shipped.cfg that a build tree
// keeps there.
std::string configurationOf(options& chosen, const std::string& plugin) {
    if (chosen.builtIns) return "the built-in entries alone";
    if (!chosen.config.empty()) return chosen.config;
    if (host::pluginFileExists(host::configurationBeside(plugin))) return host::configurationBeside(plugin);
    const std::string kept = (fs::path(plugin).parent_path() / "shipped.cfg").string();
    if (!host::pluginFileExists(kept)) return "the built-in entries alone (no configuration beside the plug-in)";
    chosen.config = kept;
    return kept;
}

void listed(const options& chosen, const std::string& file, const char* what, const std::string& example) {
    if (chosen.list) std::printf("%s: %s: %s\n", file.c_str(), what, host::shownLine(example, 90).c_str());
}

int kindIndex(unsigned kind) {
    return kind == bench::listTrailer ? 0 : kind == bench::sponsorBlock ? 1 : kind == bench::subscription ? 2 : 3;
}

// One message: its raw bytes and what was spoken of it.
void measure(const options& chosen, const std::string& file, const std::string& raw, const std::string& spoken,
             figures& sums) {
    ++sums.messages;
    const host::spokenParts parts = host::splitAtBodyMark(spoken);
    const host::heardWords heard(parts.body);
    const host::messageText text = host::readMessageText(raw);

    // Boilerplate closing the last text part, read when any of its lines
    // of two words or more is heard.
    if (!text.parts.empty()) {
        const bench::trailer closing = bench::finalTrailer(text.parts.back().lines);
        if (closing.kinds != 0) {
            bool read = false;
            std::string example;
            for (const std::string& line : closing.lines) {
                const std::vector<std::string> words = host::writtenWords(line);
                if (words.size() >= 2 && heard.hears(words)) {
                    read = true;
                    example = line;
                    break;
                }
            }
            ++sums.anyTrailer;
            sums.anyTrailerRead += read ? 1 : 0;
            for (const unsigned kind : {bench::listTrailer, bench::sponsorBlock, bench::subscription, bench::disclaimer}) {
                if ((closing.kinds & kind) == 0) continue;
                ++sums.trailers[kindIndex(kind)];
                sums.trailersRead[kindIndex(kind)] += read ? 1 : 0;
            }
            if (read) listed(chosen, file, ("trailer read (" + bench::kindNames(closing.kinds) + ")").c_str(), example);
        }
    }

    // Full stops where the writer's line went on, and code read out.
    std::size_t stops = 0;
    std::string stopExample;
    bool code = false;
    bool codeRead = false;
    std::string codeExample;
    for (const host::textPart& part : text.parts) {
        for (const std::string& stop : bench::fullStopsBefore(parts.body, bench::continuedLines(part.lines))) {
            if (stopExample.empty()) stopExample = stop;
            ++stops;
        }
        const std::vector<host::lineRole> roles = host::rolesOfLines(part.lines);
        const std::vector<bool> shapes = bench::codeLines(part.lines);
        for (std::size_t i = 0; i < part.lines.size(); ++i) {
            if (roles[i] != host::lineRole::text || !shapes[i]) continue;
            const std::vector<std::string> words = host::writtenWords(part.lines[i]);
            if (words.size() < 2) continue;
            code = true;
            ++sums.codeLines;
            if (!heard.hears(words)) continue;
            ++sums.codeLinesRead;
            codeRead = true;
            if (codeExample.empty()) codeExample = part.lines[i];
        }
    }
    sums.fullStops += stops;
    sums.fullStopMessages += stops > 0 ? 1 : 0;
    if (stops > 0) listed(chosen, file, "full stop", stopExample);
    sums.codeMessages += code ? 1 : 0;
    sums.codeMessagesRead += codeRead ? 1 : 0;
    if (codeRead) listed(chosen, file, "code read", codeExample);

    // The summary: a usable date said in words, the sender and the subject.
    const std::string date = host::headerValue(text.header, "date");
    if (bench::isUsableDate(date)) {
        ++sums.dates;
        const std::string left = bench::dateLeftOver(
            parts.summary, date, host::headerValue(text.header, "subject") + "\n" + host::headerValue(text.header, "from"));
        if (!left.empty()) {
            ++sums.datesKept;
            listed(chosen, file, "date kept as written", left + " (Date: " + date + ")");
        }
        // The year, in digits in every language, stands for the date; a
        // date kept as written counts once, above.
        const std::string year = bench::yearOf(date);
        if (left.empty() && !year.empty() && parts.summary.find(year) == std::string::npos) {
            ++sums.datesMissing;
            listed(chosen, file, "date not said", "Date: " + date);
        }
    }
    const std::vector<std::string> summaryWords = host::wordsOf(parts.summary);
    auto saysHalf = [&](const std::vector<std::string>& words) {
        std::size_t found = 0;
        for (const std::string& word : words)
            found += std::find(summaryWords.begin(), summaryWords.end(), word) != summaryWords.end() ? 1 : 0;
        return 2 * found >= words.size();
    };
    const std::vector<std::string> sender = host::wordsOf(bench::senderName(host::headerValue(text.header, "from")));
    if (!sender.empty()) {
        ++sums.senders;
        if (!saysHalf(sender)) {
            ++sums.sendersLacking;
            listed(chosen, file, "sender lacking", "From: " + host::headerValue(text.header, "from"));
        }
    }
    // Reply and forward markers are the configuration's to translate.
    std::vector<std::string> subject;
    for (const std::string& word : host::wordsOf(bench::decodedHeader(host::headerValue(text.header, "subject"))))
        if (word != "re" && word != "fw" && word != "fwd" && word != "aw" && word != "tr" && word != "wg")
            subject.push_back(word);
    if (!subject.empty()) {
        ++sums.subjects;
        if (!saysHalf(subject)) {
            ++sums.subjectsLacking;
            listed(chosen, file, "subject lacking", "Subject: " + host::headerValue(text.header, "subject"));
        }
    }
}

void printFigures(const figures& sums) {
    std::printf("messages: %zu\n", sums.messages);
    std::printf("trailers: %zu messages end with one, %zu of them still read; list trailer %zu/%zu, sponsor %zu/%zu, "
                "subscription notice %zu/%zu, disclaimer %zu/%zu (found/read)\n",
                sums.anyTrailer, sums.anyTrailerRead, sums.trailers[0], sums.trailersRead[0], sums.trailers[1],
                sums.trailersRead[1], sums.trailers[2], sums.trailersRead[2], sums.trailers[3], sums.trailersRead[3]);
    std::printf("full stops: %zu messages with a full stop before a word that continues the sentence (%zu places)\n",
                sums.fullStopMessages, sums.fullStops);
    std::printf("code: %zu lines of code, log, diff or configuration in %zu messages; %zu of them read, in %zu "
                "messages\n",
                sums.codeLines, sums.codeMessages, sums.codeLinesRead, sums.codeMessagesRead);
    std::printf("dates: %zu messages with a valid or repairable Date:; %zu whose summary keeps it as written "
                "(10:00:00, +0100 or the raw date), %zu whose summary has no date\n",
                sums.dates, sums.datesKept, sums.datesMissing);
    std::printf("senders: %zu messages with From:, %zu whose summary lacks the sender\n", sums.senders,
                sums.sendersLacking);
    std::printf("subjects: %zu messages with Subject:, %zu whose summary lacks the subject\n", sums.subjects,
                sums.subjectsLacking);
}

int run(int argc, char** argv) {
    options chosen;
    if (!parse(argc, argv, chosen)) return 2;
    const std::string plugin = host::defaultPluginPath(chosen.language);
    const std::string configuration = configurationOf(chosen, plugin);
    host::pluginCopy copy;
    std::string path = plugin;
    std::string error;
    const bool replaces = !chosen.config.empty() ||
                          (chosen.builtIns && host::pluginFileExists(host::configurationBeside(plugin)));
    if (replaces) {
        if (!copy.make(plugin, chosen.config, error)) return std::fprintf(stderr, "reading_figures: %s\n", error.c_str()), 1;
        path = copy.path();
    }
    host::pluginSession session;
    const std::string mark = host::reportBodyMark;
    if (!session.load(path, error) || !session.createFilter(false, error))
        return std::fprintf(stderr, "reading_figures: %s\n", error.c_str()), 1;
    session.update("[BODY]", nullptr);
    if (session.update("[BODY]", &mark) != 0) return std::fprintf(stderr, "reading_figures: [BODY] refused\n"), 1;
    session.activate();

    std::printf("figures: %s plug-in %s, configuration %s\n", host::languageOfCode(chosen.language)->name,
                plugin.c_str(), configuration.c_str());
    figures sums;
    for (const std::string& file : messageFiles(chosen.paths)) {
        std::string raw;
        if (!host::readWhole(file, raw, error)) {
            std::fprintf(stderr, "reading_figures: %s\n", error.c_str());
            continue;
        }
        // The plug-in reads up to the first NUL, as postsift-filter hands it.
        raw.erase(std::remove(raw.begin(), raw.end(), '\0'), raw.end());
        const std::string text = host::toPluginMessage(raw, host::inputEncoding::automatic, true);
        const char* spoken = nullptr;
        std::string stray;
        if (!session.filter(text, spoken, stray, error)) return std::fprintf(stderr, "reading_figures: %s\n", error.c_str()), 1;
        measure(chosen, file, raw, spoken == text.c_str() ? raw : spoken != nullptr ? std::string(spoken) : std::string(),
                sums);
    }
    printFigures(sums);
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return run(argc, argv); }
