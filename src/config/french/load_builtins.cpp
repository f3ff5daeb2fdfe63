// Compiled into the French build only: it chooses the table and the phrases.
#include "config/builtin_table.h"
#include "filter/localized_epost_sift.h"

namespace postsift {

void localizedEpostSift::loadBuiltInConfiguration() { installBuiltIns(*this, frenchBuiltIns); }

const languagePhrases& buildLanguagePhrases() { return frenchPhrases; }

const dateWords& buildDateWords() { return frenchDateWords; }

}  // namespace postsift
