// The speed of each shipped configuration on real mail, against the
// built-ins of the same language. Both come from the same plug-in file,
// loaded from two copies in folders of their own, one with no postsift.cfg
// beside it and one with the language's shipped configuration: each filter
// is then made as an engine makes it, with getObject, and reached through
// the exports only.
#include "mail_mode.h"

#include <chrono>
#include <cstdio>
#include <memory>

#include "known_languages.h"
#include "mail_messages.h"
#include "platform/plugin_library.h"
#include "platform/stdout_capture.h"
#include "plugin_copy.h"
#include "plugin_exports.h"
#include "plugin_session.h"
#include "postsift.h"
#include "stage_shares.h"

namespace postsift::bench {

namespace {

using clockType = std::chrono::steady_clock;
constexpr double megabyte = 1024.0 * 1024.0;

// A configuration's filter in a plug-in of its own. The filter goes before
// the library is unloaded, and the library before its folder is removed.
struct loadedFilter {
    configuration measured;
    host::pluginCopy copy;
    std::unique_ptr<platform::pluginLibrary> library;
    pluginExports api;
    void* filter = nullptr;

    ~loadedFilter() {
        if (filter != nullptr) api.deleteFilter(0, filter);
        library.reset();
    }
};

bool load(loadedFilter& loaded, const std::string& plugin, std::string& error) {
    if (!loaded.copy.make(plugin, loaded.measured.file, error)) return false;
    loaded.library = std::make_unique<platform::pluginLibrary>(loaded.copy.path());
    if (!loaded.library->isLoaded()) {
        error = "cannot load " + plugin + ": " + loaded.library->error();
        return false;
    }
    if (!resolveExports(*loaded.library, preferredLookup(), loaded.api, error)) return false;
    if (loaded.api.getObject(POSTSIFT_OBJECT_FILTER, &loaded.filter) != 1 || loaded.filter == nullptr) {
        loaded.filter = nullptr;
        error = plugin + " made no filter";
        return false;
    }
    for (const auto& [key, value] : loaded.measured.entries) {
        if (loaded.api.updateFilter(0, loaded.filter, key.c_str(), value.c_str()) != 0) {
            error = "the plug-in refused " + key + "=" + value;
            return false;
        }
    }
    loaded.api.setFilter(0, loaded.filter);
    return true;
}

timedPass filterPass(const loadedFilter& loaded, const std::vector<std::string>& messages) {
    return [&loaded, &messages]() {
        const auto start = clockType::now();
        for (const std::string& message : messages) {
            const char* out = nullptr;
            loaded.api.getFilteredText(0, loaded.filter, message.c_str(), &out);
        }
        return std::chrono::duration<double>(clockType::now() - start).count();
    };
}

timedItem filterMessage(const loadedFilter& loaded, const std::vector<std::string>& messages) {
    return [&loaded, &messages](std::size_t item) {
        const auto start = clockType::now();
        const char* out = nullptr;
        loaded.api.getFilteredText(0, loaded.filter, messages[item].c_str(), &out);
        return std::chrono::duration<double>(clockType::now() - start).count();
    };
}

// What the plug-in's filter makes of each message.
bool filterOnce(const loadedFilter& loaded, const std::vector<std::string>& messages, std::vector<std::string>& says) {
    platform::stdoutCapture capture;
    if (!capture.capturing()) {
        std::fprintf(stderr, "filter_bench: %s\n", capture.error().c_str());
        return false;
    }
    for (const std::string& message : messages) {
        const char* out = nullptr;
        loaded.api.getFilteredText(0, loaded.filter, message.c_str(), &out);
        says.emplace_back(out != nullptr ? out : "");
    }
    std::string stray;
    capture.finish(stray);
    return true;
}

std::string policyText(const passPolicy& policy) {
    if (policy.passes > 0) return "best of " + std::to_string(policy.passes) + " passes";
    char text[96];
    std::snprintf(text, sizeof text, "best pass of at least 3, %.1f s of passes per row", policy.seconds);
    return text;
}

}  // namespace

int runMailMode(const mailSettings& settings) {
    std::vector<std::string> messages;
    std::size_t bytes = 0;
    for (const std::string& path : settings.paths) {
        std::string error;
        if (!readMail(path, messages, error)) {
            std::fprintf(stderr, "filter_bench: %s\n", error.c_str());
            return 1;
        }
    }
    for (const std::string& message : messages) bytes += message.size();

    // Each language: its built-ins alone, then its shipped configuration.
    std::vector<std::unique_ptr<loadedFilter>> loaded;
    for (const host::knownLanguage& language : host::knownLanguages()) {
        if (!settings.language.empty() && settings.language != language.code) continue;
        const std::string shipped = settings.languagesFolder + "/" + language.folder + "/postsift.cfg";
        for (const std::string& file : {std::string(), shipped}) {
            auto one = std::make_unique<loadedFilter>();
            one->measured.name = std::string(language.name) + (file.empty() ? " built-ins" : " shipped");
            one->measured.language = language.folder;
            one->measured.file = file;
            one->measured.entries = settings.entries;
            std::string error;
            if (!load(*one, host::defaultPluginPath(language.code), error)) {
                std::fprintf(stderr, "filter_bench: %s\n", error.c_str());
                return 1;
            }
            loaded.push_back(std::move(one));
        }
    }

    std::printf("%zu messages, %.2f MB (MB = 2^20 bytes); %s\n", messages.size(),
                static_cast<double>(bytes) / megabyte, policyText(settings.policy).c_str());
    std::vector<timedPass> passes;
    std::vector<timedItem> calls;
    for (const auto& one : loaded) {
        passes.push_back(filterPass(*one, messages));
        calls.push_back(filterMessage(*one, messages));
    }
    std::vector<double> best;
    std::vector<double> bestEach;
    {
        // The plug-ins write the bytes that no rule of their scanner takes
        // to standard output; they must not mix with the table.
        platform::stdoutCapture capture;
        if (!capture.capturing()) {
            std::fprintf(stderr, "filter_bench: %s\n", capture.error().c_str());
            return 1;
        }
        best = bestOfRounds(passes, settings.policy);
        bestEach = bestPerItem(calls, messages.size(), settings.policy);
        std::string stray;
        capture.finish(stray);
    }
    std::printf("\nthrough the plug-in's exports: the best pass over all the messages, and the sum of each\n"
                "message's best time over the passes\n");
    std::printf("%-28s %9s %9s %11s %13s %11s %13s\n", "configuration", "messages", "MB", "pass MB/s", "of built-ins",
                "each MB/s", "of built-ins");
    double builtIns = 0;
    double builtInsEach = 0;
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        const double megabytes = static_cast<double>(bytes) / megabyte;
        const double rate = megabytes / best[i];
        const double rateEach = megabytes / bestEach[i];
        if (loaded[i]->measured.file.empty()) {
            builtIns = rate;
            builtInsEach = rateEach;
        }
        std::printf("%-28s %9zu %9.2f %11.1f %12.1f%% %11.1f %12.1f%%\n", loaded[i]->measured.name.c_str(),
                    messages.size(), megabytes, rate, 100.0 * rate / builtIns, rateEach, 100.0 * rateEach / builtInsEach);
    }
    std::fflush(stdout);

    std::printf("\nwhere the time goes: each stage alone, in this program, on the text it reads in a whole run;\n"
                "a share is the stage's time over the whole filter's. The parser is the scanner and parser\n"
                "less the scanner; operations and output are the whole less the decoding stage, the reading\n"
                "pass and the scanner and parser. An option \"alone\" is the reading pass with only that\n"
                "option on: each such pass walks all the lines, so these rows overlap.\n");
    for (const auto& one : loaded) {
        std::vector<std::string> says;
        if (!filterOnce(*one, messages, says)) return 1;
        if (!printStageShares(one->measured, messages, says, settings.policy)) return 1;
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace postsift::bench
