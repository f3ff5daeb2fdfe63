#pragma once
#include <vector>

namespace postsift {
struct languageBuild;
}

namespace postsift::bench {

struct namedLanguageBuild {
    const char* folder;  // "french"
    const languageBuild* build;
};

// Every built language's build, in the build's order. The build writes it
// from its list of languages.
const std::vector<namedLanguageBuild>& languageBuilds();

}  // namespace postsift::bench
