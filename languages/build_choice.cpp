// Compiled into each plug-in with POSTSIFT_LANGUAGE_BUILD naming its
// language's build (frenchBuild, germanBuild ...): the one place where a
// plug-in chooses its built-in table, its phrases, its words for dates and
// the words of its reading rules.
#include "config/builtin_table.h"
#include "filter/localized_epost_sift.h"

#ifndef POSTSIFT_LANGUAGE_BUILD
#error "POSTSIFT_LANGUAGE_BUILD names the language build of the plug-in"
#endif

namespace postsift {

extern const languageBuild POSTSIFT_LANGUAGE_BUILD;

void localizedEpostSift::loadBuiltInConfiguration() { installBuiltIns(*this, POSTSIFT_LANGUAGE_BUILD.table); }

const languagePhrases& buildLanguagePhrases() { return POSTSIFT_LANGUAGE_BUILD.phrases; }

const dateWords& buildDateWords() { return POSTSIFT_LANGUAGE_BUILD.dates; }

const readingWords& buildReadingWords() { return POSTSIFT_LANGUAGE_BUILD.words; }

}  // namespace postsift
