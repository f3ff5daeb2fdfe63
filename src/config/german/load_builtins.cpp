// Compiled into the German build only: it chooses the table.
#include "config/builtin_table.h"
#include "filter/localized_epost_sift.h"

namespace postsift {

void localizedEpostSift::loadBuiltInConfiguration() { installBuiltIns(*this, germanBuiltIns); }

}  // namespace postsift
