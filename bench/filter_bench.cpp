// The speed of the whole filter as an engine sees it, next to the speed of
// the e-mail scanner and parser alone on the same bytes; with --mail, the
// speed of every language's shipped configuration on real mail against its
// built-ins, and where the time goes (mail_mode.h).
//
// The filter is a plug-in loaded at run time and reached through its
// exports only (getObject, _zelSetFilter, _zelGetFilteredText), with the
// built-in configuration of its language. "Scanner and parser alone" is the
// same e-mail grammar, linked in here, driving operations that do nothing.
// The ratio of the two says what the work per token costs.
//
// A measuring tool, not a test: it prints figures and fails only when it
// cannot run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "email/parse_driver.h"
#include "filter/epost_sift.h"
#include "idle_filter.h"
#include "known_languages.h"
#include "heap_meter.h"
#include "mail_mode.h"
#include "mail_sample.h"
#include "platform/stdout_capture.h"
#include "plugin_copy.h"
#include "plugin_exports.h"
#include "plugin_session.h"
#include "postsift.h"

namespace {

using postsift::pluginExports;
using clockType = std::chrono::steady_clock;

constexpr double megabyte = 1024.0 * 1024.0;

const char usage[] =
    "usage: filter_bench [--language CODE] [--plugin PATH] [--config FILE] [--seconds S]\n"
    "                    [--passes N] [--sizes LIST] [--set KEY=VALUE]... [--save FOLDER]\n"
    "                    [FOLDER...]\n"
    "       filter_bench --mail PATH [--mail PATH]... [--language CODE] [--seconds S]\n"
    "                    [--passes N] [--set KEY=VALUE]...\n"
    "Filters synthetic messages (10 KB, 1 MB and 16 MB by default; LIST such as 10K,1M,16M),\n"
    "then every file of each FOLDER as one message, through the plug-in's exports, and scans\n"
    "and parses the same bytes alone. Each figure is the best pass; passes go on for S seconds\n"
    "(default 1) and at least 3 times, or exactly N times. --config puts FILE beside a copy of\n"
    "the plug-in as its postsift.cfg. --set gives the filter an entry with _zelUpdateFilter, as\n"
    "postsift-filter does. --save writes the synthetic messages into FOLDER as\n"
    "synthetic-SIZE.eml and stops.\n"
    "--mail reads every message of each PATH (a folder: each file in it and its subfolders;\n"
    "a file: an mbox mailbox) and filters them all with each language's built-ins and with its\n"
    "shipped configuration (only CODE's with --language), then times each stage alone.\n";

struct settings {
    std::string language = "fr";
    bool languageGiven = false;
    std::string plugin;
    std::string config;               // a postsift.cfg for a copy of the plug-in
    std::vector<std::string> mail;    // --mail: folders of messages or mailboxes
    double seconds = 1.0;
    int passes = 0;  // 0: as many as fit in `seconds`, at least 3
    std::vector<std::size_t> sizes = {10u << 10, 1u << 20, 16u << 20};
    std::vector<std::string> folders;
    std::string saveTo;
    std::vector<std::pair<std::string, std::string>> entries;  // for _zelUpdateFilter
};

// Messages measured together: one pass filters each of them once.
struct workload {
    std::string name;
    std::vector<std::string> messages;
    std::size_t bytes = 0;
};

struct figures {
    double filterSeconds = 0;  // best pass
    double parseSeconds = 0;   // best pass
    std::size_t largest = 0;   // bytes of the largest message
    std::size_t peak = 0;      // heap held at once filtering it, the message included
    bool ok = true;
};

bool parseSize(const std::string& text, std::size_t& size) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    if (end == text.c_str()) return false;
    std::string unit(end);
    if (unit.empty()) size = value;
    else if (unit == "K" || unit == "k") size = value << 10;
    else if (unit == "M" || unit == "m") size = value << 20;
    else return false;
    return size > 0;
}

bool parseSettings(int argc, char** argv, settings& out) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help") {
            std::fputs(usage, stdout);
            std::exit(0);
        } else if (arg == "--language" && hasValue) {
            out.language = argv[++i];
            out.languageGiven = true;
            if (postsift::host::languageOfCode(out.language) == nullptr) return false;
        } else if (arg == "--plugin" && hasValue) {
            out.plugin = argv[++i];
        } else if (arg == "--config" && hasValue) {
            out.config = argv[++i];
        } else if (arg == "--mail" && hasValue) {
            out.mail.push_back(argv[++i]);
        } else if (arg == "--seconds" && hasValue) {
            out.seconds = std::atof(argv[++i]);
        } else if (arg == "--passes" && hasValue) {
            out.passes = std::atoi(argv[++i]);
            if (out.passes <= 0) return false;
        } else if (arg == "--sizes" && hasValue) {
            out.sizes.clear();
            std::string list = argv[++i];
            for (std::size_t start = 0; start <= list.size();) {
                std::size_t comma = list.find(',', start);
                if (comma == std::string::npos) comma = list.size();
                std::size_t size = 0;
                if (comma > start) {
                    if (!parseSize(list.substr(start, comma - start), size)) return false;
                    out.sizes.push_back(size);
                }
                start = comma + 1;
            }
        } else if (arg == "--set" && hasValue) {
            // The key ends at the first '=' after its first character.
            const std::string entry = argv[++i];
            const std::size_t equals = entry.find('=', 1);
            if (equals == std::string::npos) return false;
            out.entries.emplace_back(entry.substr(0, equals), entry.substr(equals + 1));
        } else if (arg == "--save" && hasValue) {
            out.saveTo = argv[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            return false;
        } else {
            out.folders.push_back(arg);
        }
    }
    // The mail mode makes its own plug-in copies and measures no synthetic
    // messages.
    if (!out.mail.empty() && (!out.plugin.empty() || !out.config.empty() || !out.folders.empty() ||
                              !out.saveTo.empty()))
        return false;
    return true;
}

std::string sizeName(std::size_t size) {
    char name[32];
    if (size >= (1u << 20) && size % (1u << 20) == 0) std::snprintf(name, sizeof name, "%zu MB", size >> 20);
    else if (size >= 1024 && size % 1024 == 0) std::snprintf(name, sizeof name, "%zu KB", size >> 10);
    else std::snprintf(name, sizeof name, "%zu B", size);
    return name;
}

bool readFolder(const std::string& folder, workload& out, std::string& error) {
    std::error_code failure;
    std::vector<std::filesystem::path> files;
    for (const auto& item : std::filesystem::directory_iterator(folder, failure))
        if (item.is_regular_file()) files.push_back(item.path());
    if (failure) {
        error = folder + ": " + failure.message();
        return false;
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        // The plug-in reads up to the first NUL; the bytes after it are not
        // part of what it filters.
        text.resize(std::strlen(text.c_str()));
        out.bytes += text.size();
        out.messages.push_back(std::move(text));
    }
    out.name = "folder " + std::filesystem::path(folder).filename().string() + " (" +
               std::to_string(out.messages.size()) + " files)";
    if (out.messages.empty()) {
        error = folder + ": no files";
        return false;
    }
    return true;
}

double seconds(clockType::time_point start) {
    return std::chrono::duration<double>(clockType::now() - start).count();
}

// Filters every message once through the exports; the time it took.
double filterPass(const pluginExports& api, void* filter, const workload& work) {
    const auto start = clockType::now();
    for (const std::string& message : work.messages) {
        const char* out = nullptr;
        api.getFilteredText(0, filter, message.c_str(), &out);
    }
    return seconds(start);
}

double parsePass(idleFilter& idle, const workload& work) {
    const auto start = clockType::now();
    for (const std::string& message : work.messages) idle.parseEmailText(message.c_str(), message.size());
    return seconds(start);
}

// A filter as an engine makes it, given the entries of the command line and
// switched on; null when the plug-in made none or refused an entry.
void* makeFilter(const pluginExports& api, const settings& options) {
    void* filter = nullptr;
    if (api.getObject(POSTSIFT_OBJECT_FILTER, &filter) != 1) return nullptr;
    for (const auto& [key, value] : options.entries) {
        if (api.updateFilter(0, filter, key.c_str(), value.c_str()) != 0) {
            std::fprintf(stderr, "filter_bench: the plug-in refused %s=%s\n", key.c_str(), value.c_str());
            api.deleteFilter(0, filter);
            return nullptr;
        }
    }
    api.setFilter(0, filter);
    return filter;
}

// The heap held at once while a fresh filter handles the largest message,
// plus that message, which the engine holds all along.
std::size_t peakMemory(const pluginExports& api, const settings& options, const std::string& message) {
    void* filter = makeFilter(api, options);
    if (filter == nullptr) return 0;
    const char* out = nullptr;
    postsift::bench::startHeapMeter();
    api.getFilteredText(0, filter, message.c_str(), &out);
    const std::size_t peak = postsift::bench::stopHeapMeter();
    api.deleteFilter(0, filter);
    return peak + message.size() + 1;
}

figures measure(const pluginExports& api, void* filter, const workload& work, const settings& options) {
    figures result;
    idleFilter idle;
    // The plug-in writes the bytes that no rule of its scanner takes to
    // standard output; they must not mix with the table.
    postsift::platform::stdoutCapture capture;
    if (!capture.capturing()) {
        std::fprintf(stderr, "filter_bench: %s\n", capture.error().c_str());
        result.ok = false;
        return result;
    }
    filterPass(api, filter, work);  // warm caches and buffers
    parsePass(idle, work);
    result.filterSeconds = result.parseSeconds = 1e300;
    double spent = 0;
    for (int pass = 0;; ++pass) {
        if (options.passes > 0 ? pass >= options.passes : (pass >= 3 && spent >= options.seconds)) break;
        const double filterTime = filterPass(api, filter, work);
        const double parseTime = parsePass(idle, work);
        result.filterSeconds = std::min(result.filterSeconds, filterTime);
        result.parseSeconds = std::min(result.parseSeconds, parseTime);
        spent += filterTime + parseTime;
    }
    const std::string* largest = &work.messages.front();
    for (const std::string& message : work.messages)
        if (message.size() > largest->size()) largest = &message;
    result.largest = largest->size();
    if (postsift::bench::heapMeterWorks()) result.peak = peakMemory(api, options, *largest);
    std::string stray;
    capture.finish(stray);
    return result;
}

void printHeader() {
    std::printf("%-28s %10s %12s %12s %7s %9s %9s %9s\n", "message", "bytes", "filter MB/s", "scan+parse",
                "ratio", "ns/byte", "peak MB", "peak/msg");
}

void printRow(const std::string& name, std::size_t bytes, double filterSeconds, double parseSeconds,
              std::size_t largest, std::size_t peak) {
    const double filterRate = static_cast<double>(bytes) / megabyte / filterSeconds;
    const double parseRate = static_cast<double>(bytes) / megabyte / parseSeconds;
    std::printf("%-28s %10zu %12.1f %12.1f %6.0f%% %9.2f", name.c_str(), bytes, filterRate, parseRate,
                100.0 * filterRate / parseRate, 1e9 * filterSeconds / static_cast<double>(bytes));
    if (peak > 0)
        std::printf(" %9.2f %9.2f\n", static_cast<double>(peak) / megabyte,
                    static_cast<double>(peak) / static_cast<double>(largest));
    else
        std::printf(" %9s %9s\n", "-", "-");
}

}  // namespace

int main(int argc, char** argv) {
    settings options;
    if (!parseSettings(argc, argv, options)) {
        std::fputs(usage, stderr);
        return 2;
    }
    if (!options.saveTo.empty()) {
        for (std::size_t size : options.sizes) {
            std::string name = sizeName(size);
            name.erase(name.find(' '), 1);
            const std::string file = options.saveTo + "/synthetic-" + name + ".eml";
            const std::string text = postsift::bench::mailSample(size);
            std::ofstream out(file, std::ios::binary);
            if (!out.write(text.data(), static_cast<std::streamsize>(text.size()))) {
                std::fprintf(stderr, "filter_bench: cannot write %s\n", file.c_str());
                return 1;
            }
        }
        return 0;
    }
    if (!options.mail.empty()) {
        postsift::bench::mailSettings mail;
        mail.paths = options.mail;
        mail.language = options.languageGiven ? options.language : std::string();
        mail.languagesFolder = POSTSIFT_LANGUAGES_FOLDER;
        mail.policy.passes = options.passes;
        mail.policy.seconds = options.seconds;
        mail.entries = options.entries;
        return postsift::bench::runMailMode(mail);
    }
    std::string path =
        options.plugin.empty() ? postsift::host::defaultPluginPath(options.language) : options.plugin;
    // Declared before the library, so that the copy outlives it.
    postsift::host::pluginCopy configured;
    if (!options.config.empty()) {
        std::string error;
        if (!configured.make(path, options.config, error)) {
            std::fprintf(stderr, "filter_bench: %s\n", error.c_str());
            return 1;
        }
    }
    const std::string shown =
        options.config.empty() ? path : path + " with " + options.config + " as its postsift.cfg";
    if (!options.config.empty()) path = configured.path();
    postsift::platform::pluginLibrary library(path);
    if (!library.isLoaded()) {
        std::fprintf(stderr, "filter_bench: cannot load %s: %s\n", path.c_str(), library.error().c_str());
        return 1;
    }
    pluginExports api;
    std::string error;
    if (!postsift::resolveExports(library, postsift::preferredLookup(), api, error)) {
        std::fprintf(stderr, "filter_bench: %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }

    std::vector<workload> work;
    for (std::size_t size : options.sizes) {
        workload sample;
        sample.name = "synthetic " + sizeName(size);
        sample.messages.push_back(postsift::bench::mailSample(size));
        sample.bytes = sample.messages.back().size();
        work.push_back(std::move(sample));
    }
    const std::size_t synthetic = work.size();
    for (const std::string& folder : options.folders) {
        workload files;
        if (!readFolder(folder, files, error)) {
            std::fprintf(stderr, "filter_bench: %s\n", error.c_str());
            return 1;
        }
        work.push_back(std::move(files));
    }

    void* filter = makeFilter(api, options);
    if (filter == nullptr) {
        std::fprintf(stderr, "filter_bench: no filter to measure\n");
        return 1;
    }

    std::printf("plug-in %s; MB = 2^20 bytes; best of %s\n", shown.c_str(),
                options.passes > 0 ? (std::to_string(options.passes) + " passes").c_str()
                                   : "the passes of about each second, at least 3");
    printHeader();
    std::vector<figures> results;
    for (std::size_t i = 0; i < work.size(); ++i) {
        const figures f = measure(api, filter, work[i], options);
        if (!f.ok) return 1;
        results.push_back(f);
        printRow(work[i].name, work[i].bytes, f.filterSeconds, f.parseSeconds, f.largest, f.peak);
        std::fflush(stdout);
        if (i + 1 == synthetic && synthetic > 1) {
            // The synthetic messages together: bytes over the time of all.
            std::size_t bytes = 0;
            double filterTime = 0;
            double parseTime = 0;
            for (std::size_t j = 0; j < synthetic; ++j) {
                bytes += work[j].bytes;
                filterTime += results[j].filterSeconds;
                parseTime += results[j].parseSeconds;
            }
            printRow("synthetic mix", bytes, filterTime, parseTime, 0, 0);
        }
    }
    api.deleteFilter(0, filter);

    // Linear in the size: the largest synthetic message against 1 MB.
    std::size_t oneMegabyte = work.size();
    std::size_t largest = 0;
    for (std::size_t i = 0; i < synthetic; ++i) {
        if (options.sizes[i] == (1u << 20)) oneMegabyte = i;
        if (work[i].bytes > work[largest].bytes) largest = i;
    }
    if (oneMegabyte < synthetic && largest != oneMegabyte) {
        const double perByteLarge = results[largest].filterSeconds / static_cast<double>(work[largest].bytes);
        const double perByteOne = results[oneMegabyte].filterSeconds / static_cast<double>(work[oneMegabyte].bytes);
        std::printf("time per byte, %s against 1 MB: %.2f times; %s filtered in %.3f s\n",
                    work[largest].name.c_str(), perByteLarge / perByteOne, work[largest].name.c_str(),
                    results[largest].filterSeconds);
    }
    return 0;
}
