#include "interface/epost_sift.h"

// Placeholder until configuration entries arrive.
namespace postsift {

int epostSift::updateFilter(const char*, const char*) { return 0; }
int epostSift::updateSymbolTable(const char*, const char*) { return 0; }
int epostSift::readConfigFile(const char*) { return -1; }

}  // namespace postsift
