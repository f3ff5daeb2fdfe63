// The build choice of this program (a plug-in has languages/build_choice.cpp
// instead): one language build, changed at run time.
#include "language_choice.h"

#include "config/builtin_table.h"
#include "filter/localized_epost_sift.h"
#include "language_build_list.h"

namespace postsift {

namespace {

const languageBuild* chosen = nullptr;

const languageBuild& chosenBuild() { return chosen != nullptr ? *chosen : *bench::languageBuilds().front().build; }

}  // namespace

void localizedEpostSift::loadBuiltInConfiguration() { installBuiltIns(*this, chosenBuild().table); }

const languagePhrases& buildLanguagePhrases() { return chosenBuild().phrases; }

const dateWords& buildDateWords() { return chosenBuild().dates; }

const readingWords& buildReadingWords() { return chosenBuild().words; }

namespace bench {

bool chooseLanguage(const std::string& folder) {
    for (const namedLanguageBuild& language : languageBuilds()) {
        if (folder == language.folder) {
            chosen = language.build;
            return true;
        }
    }
    return false;
}

}  // namespace bench

}  // namespace postsift
