// Compiled into the German build only: it chooses the table and the phrases.
#include "config/builtin_table.h"
#include "filter/localized_epost_sift.h"

namespace postsift {

void localizedEpostSift::loadBuiltInConfiguration() { installBuiltIns(*this, germanBuiltIns); }

const languagePhrases& buildLanguagePhrases() { return germanPhrases; }

const dateWords& buildDateWords() { return germanDateWords; }

}  // namespace postsift
