#pragma once
#include <string>
#include <utility>
#include <vector>

#include "best_of_rounds.h"

namespace postsift::bench {

// A configuration to measure: a language's built-in entries, then its
// configuration file (none: the built-ins alone), then entries given one by
// one, as an engine gives them.
struct configuration {
    std::string name;      // "French shipped"
    std::string language;  // the language's folder, "french"
    std::string file;      // a postsift.cfg, or empty
    std::vector<std::pair<std::string, std::string>> entries;
};

// Where the time of filtering `messages` goes with that configuration: each
// stage timed alone inside this program, on the text it reads in a whole
// run, and printed as a share of the whole run's time. `pluginSays` is what
// the plug-in made of each message with that configuration: a line says
// whether this program's filter says the same, which tells that its stages
// are those of the plug-in. False when it could not be measured; the reason
// is on standard error.
bool printStageShares(const configuration& measured, const std::vector<std::string>& messages,
                      const std::vector<std::string>& pluginSays, const passPolicy& policy);

}  // namespace postsift::bench
