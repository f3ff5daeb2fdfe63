#include "filter/localized_epost_sift.h"

#include <cstdlib>

#include "platform/module_file.h"
#include "support/config_file_path.h"

namespace postsift {

localizedEpostSift::localizedEpostSift() {
    char* configPath = configFilePathFor(platform::moduleFilePath(), platform::moduleFilePathLength());
    loadBuiltInConfiguration();
    if (configPath != nullptr) {
        readConfigFile(configPath);
        std::free(configPath);
    }
}

}  // namespace postsift
