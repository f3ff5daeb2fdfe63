#include "interface/localized_epost_sift.h"

#include <cstdlib>

#include "interface/module_path.h"

namespace postsift {

localizedEpostSift::localizedEpostSift() {
    char* configPath = configFilePathFor(moduleFilePath, moduleFilePathLength);
    loadBuiltInConfiguration();
    if (configPath != nullptr) {
        readConfigFile(configPath);
        std::free(configPath);
    }
}

}  // namespace postsift
