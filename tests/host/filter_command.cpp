#include "filter_command.h"

#include <fstream>

#include "build_files.h"
#include "platform/child_process.h"
#include "platform/plugin_library.h"

commandResult runFilter(const std::vector<std::string>& arguments, const std::string& input,
                        const std::vector<std::string>& environment) {
    std::vector<std::string> command = {buildFile(POSTSIFT_FILTER_PROGRAM)};
    command.insert(command.end(), arguments.begin(), arguments.end());
    // No locale unless the test gives one: the language is then the first
    // of the build, whatever the machine's settings.
    std::vector<std::string> settings = environment;
    for (const char* unset : {"LC_ALL=", "LC_MESSAGES=", "LANG="}) {
        bool given = false;
        for (const std::string& setting : environment) given = given || setting.rfind(unset, 0) == 0;
        if (!given) settings.push_back(unset);
    }
    postsift::platform::childRun run;
    std::string error;
    commandResult result;
    if (postsift::platform::runChild(command, input, settings, run, error) !=
        postsift::platform::childStart::started) {
        result.err = "could not start postsift-filter: " + error;
        return result;
    }
    result.status = run.status;
    result.out = run.output;
    result.err = run.errors;
    return result;
}

std::string buildPath(const std::string& folder, const std::string& file) {
    return folder + postsift::platform::pluginLibrary::separator() + file;
}

std::string fakePlugin() { return buildFile(std::string("host-test-plugins/") + FAKE_PLUGIN_FILE); }

std::string incompletePlugin() { return buildFile(std::string("host-test-plugins/") + INCOMPLETE_PLUGIN_FILE); }

std::string writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes;
    return name;
}
