#pragma once
#include <string>
#include <utility>
#include <vector>

#include "best_of_rounds.h"

namespace postsift::bench {

struct mailSettings {
    std::vector<std::string> paths;  // folders of messages or mbox files
    std::string language;            // a language code; empty: every built language
    std::string languagesFolder;     // where languages/NAME/postsift.cfg lie
    passPolicy policy;
    std::vector<std::pair<std::string, std::string>> entries;  // --set, for every configuration
};

// Filters every message of the paths through each language's plug-in with
// its built-ins alone and with its shipped configuration, and prints their
// speeds side by side, then where the time goes in each. 0 when it ran.
int runMailMode(const mailSettings& settings);

}  // namespace postsift::bench
