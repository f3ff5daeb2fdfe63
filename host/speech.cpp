#include "speech.h"

#include <vector>

#include "platform/child_process.h"

namespace postsift::host {
namespace {

const char program[] = "espeak-ng";

std::string lastLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const std::size_t end = text.rfind('\n');
    return end == std::string::npos ? text : text.substr(end + 1);
}

}  // namespace

bool speechAvailable(std::string& error) {
    platform::childRun run;
    std::string reason;
    const platform::childStart start = platform::runChild({program, "--version"}, std::string(), {}, run, reason);
    if (start == platform::childStart::notFound) {
        error = "speech needs eSpeak NG (the espeak-ng program), which is not installed here; on Debian: "
                "apt-get install espeak-ng";
        return false;
    }
    if (start != platform::childStart::started || run.status != 0) {
        error = "eSpeak NG (espeak-ng) does not work here: " + (start == platform::childStart::started
                                                                      ? lastLine(run.errors + run.output)
                                                                      : reason);
        return false;
    }
    return true;
}

bool speakText(const std::string& utf8Text, const std::string& voice, const std::string& wavPath, std::string& error) {
    std::vector<std::string> command = {program, "-v", voice, "-b", "1", "--stdin"};
    if (!wavPath.empty()) {
        command.push_back("-w");
        command.push_back(wavPath);
    }
    platform::childRun run;
    std::string reason;
    if (platform::runChild(command, utf8Text, {}, run, reason) != platform::childStart::started) {
        error = "cannot start eSpeak NG: " + reason;
        return false;
    }
    if (run.status != 0) {
        const std::string said = lastLine(run.errors + run.output);
        error = "eSpeak NG failed" + (wavPath.empty() ? std::string() : " to write " + wavPath) +
                (said.empty() ? std::string() : ": " + said);
        return false;
    }
    return true;
}

}  // namespace postsift::host
