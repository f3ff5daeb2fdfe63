#pragma once
#include "config/builtin_table.h"

// The language builds that tests name; each is defined in its folder of
// languages/, and every test program holds them all.
namespace postsift {
extern const languageBuild frenchBuild;
extern const languageBuild germanBuild;
extern const languageBuild englishBuild;
}  // namespace postsift
