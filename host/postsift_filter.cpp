// postsift-filter: loads a postsift plug-in the way a speech engine does and
// prints what the engine would read aloud for each message.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "config_changes.h"
#include "filter_options.h"
#include "filter_run.h"
#include "known_languages.h"
#include "platform/console.h"
#include "platform/plugin_version.h"
#include "plugin_copy.h"
#include "plugin_registration.h"
#include "plugin_session.h"
#include "postsift.h"
#include "progress_line.h"
#include "reading_report.h"
#include "speech.h"
#include "spoken_output.h"

using namespace postsift::host;

namespace {

constexpr int failedStatus = 1;
constexpr int usageStatus = 2;

int fail(const std::string& message) {
    std::fprintf(stderr, "postsift-filter: %s\n", message.c_str());
    return failedStatus;
}

// The plug-in file that the options name, else the one of their language.
std::string pluginPathOf(const filterOptions& options) {
    return options.pluginPath.empty() ? defaultPluginPath(options.language) : options.pluginPath;
}

// The version of the plug-in that a run with the same options would load,
// as its file says, then the tool's own, the language and the file.
void printVersion(const filterOptions& options) {
    const std::string pluginPath = pluginPathOf(options);
    const std::string pluginVersion = postsift::platform::pluginFileVersion(pluginPath);
    std::printf("plug-in version: %s\n", pluginVersion.empty() ? "(unknown)" : pluginVersion.c_str());
    std::printf("postsift-filter %s\n", POSTSIFT_VERSION_STRING);
    const knownLanguage* language = languageOfCode(options.language);
    std::printf("language: %s (%s)\n", options.language.c_str(), language != nullptr ? language->name : "?");
    std::printf("plug-in: %s%s\n", pluginPath.c_str(), pluginFileExists(pluginPath) ? "" : " (not found)");
}

// --register, --unregister: the language's plug-in, found as for
// filtering (or the one --plugin names), registers or unregisters itself.
int registration(const filterOptions& options) {
    const bool unregister = options.registration == registrationAction::unregisterPlugin;
    const knownLanguage& language = *languageOfCode(options.registrationLanguage);
    const std::string path =
        options.pluginPath.empty() ? defaultPluginPath(options.registrationLanguage) : options.pluginPath;
    std::string error;
    if (!registerPlugin(path, unregister, error)) return fail(error);
    std::printf("%s plug-in %s: %s\n", language.name, unregister ? "unregistered" : "registered", path.c_str());
    return 0;
}

// The configuration a report reads, as its first line names it. Without
// --config or --built-ins it is the language's shipped configuration: the
// postsift.cfg that an installation puts beside the plug-in, which the
// plug-in reads itself, or in a build tree, where no postsift.cfg lies
// beside the plug-in (the tests want it alone), the shipped.cfg that the
// build keeps there for reports and that no plug-in reads.
std::string reportConfiguration(filterOptions& options, const std::string& pluginPath) {
    if (options.bare) return "none (--bare)";
    if (options.builtIns) return "the built-in entries alone";
    if (!options.configPath.empty()) return options.configPath;
    const std::string beside = configurationBeside(pluginPath);
    if (pluginFileExists(beside)) return beside;
    const std::string kept = (std::filesystem::path(pluginPath).parent_path() / "shipped.cfg").string();
    if (!pluginFileExists(kept)) return "the built-in entries alone (no postsift.cfg beside the plug-in)";
    options.configPath = kept;
    return kept;
}

// A report replaces the body phrase with its own mark, after the command
// line's changes, to find where the spoken body starts.
bool markBody(pluginSession& session, std::string& error) {
    const std::string mark = reportBodyMark;
    session.update("[BODY]", nullptr);  // none to remove in a bare filter
    if (session.update("[BODY]", &mark) == 0) return true;
    error = "the plug-in refused the report's [BODY] mark";
    return false;
}

int filterMessages(int argc, char** argv) {
    postsift::platform::useBinaryStandardStreams();
    filterOptions options;
    std::string error;
    if (!parseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "postsift-filter: %s\nTry 'postsift-filter --help'.\n", error.c_str());
        return usageStatus;
    }
    if (options.language.empty())
        options.language = languageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")).code;
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        printVersion(options);
        return 0;
    }
    if (options.registration != registrationAction::none) return registration(options);
    if (options.inputs.empty()) options.inputs.push_back({"-", false});
    const bool speech = options.speak || !options.wavPath.empty();
    // Found out before the work, not after it.
    if (speech && !speechAvailable(error)) return fail(error);

    // A configuration of the command line's choosing needs a copy of the
    // plug-in with that file beside it; it outlives the session, which
    // unloads the plug-in from it first.
    pluginCopy copy;
    std::string pluginPath = pluginPathOf(options);
    const std::string reportHeading =
        options.report ? "report: " + std::string(languageOfCode(options.language)->name) + " plug-in " + pluginPath +
                             ", configuration " + reportConfiguration(options, pluginPath)
                       : std::string();
    const bool replacesConfiguration =
        !options.configPath.empty() || (options.builtIns && pluginFileExists(configurationBeside(pluginPath)));
    if (replacesConfiguration) {
        if (!copy.make(pluginPath, options.configPath, error)) return fail(error);
        pluginPath = copy.path();
    }
    pluginSession session;
    if (!session.load(pluginPath, error) || !session.createFilter(options.bare, error)) return fail(error);
    if (!applyChanges(session, options, error)) return fail(error);
    if (options.report && !markBody(session, error)) return fail(error);
    if (!options.inactive) session.activate();

    progressLine progress(!options.quiet && postsift::platform::standardErrorIsTerminal());
    spokenOutput output(stdout, options.raw, options.separator, speech, progress);
    readingReport report(stdout, progress);
    if (options.report) std::printf("%s\n", reportHeading.c_str());
    filterRun run(options, session, output, progress, options.report ? &report : nullptr);
    bool done = run.run();
    progress.clear();
    if (options.report) std::printf("%s\n", report.summaryLine().c_str());
    if (!output.finish()) {
        fail("cannot write the spoken text to standard output");
        done = false;
    }
    if (!options.wavPath.empty() && !speakText(output.speechText(), options.language, options.wavPath, error)) {
        fail(error);
        done = false;
    }
    if (options.speak && !speakText(output.speechText(), options.language, std::string(), error)) {
        fail(error);
        done = false;
    }
    return done ? 0 : failedStatus;
}

}  // namespace

int main(int argc, char** argv) {
    // Only the host's own strings can run out of memory here; say so plainly.
    try {
        return filterMessages(argc, argv);
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    }
}
