#include "interface/registration.h"

#include "platform/module_file.h"
#include "support/owned_text.h"
#include "support/settings_key.h"

namespace postsift {
namespace {

const char registrationSubKey[] = "3.0";
const char registrationValue[] = "Path_Filter0";

}  // namespace

std::int32_t registerServer() {
    settingsKey key;
    key.createSettingsKey();
    // The key stays: it has the sub-key "3.0" from now on.
    pruneOnExit prune(key);
    ownedText path;
    if (!path.assign(platform::moduleFilePath(), platform::moduleFilePathLength())) return resultFail;
    return key.writeSettingString(registrationSubKey, registrationValue, path.get()) ? resultOk : resultFail;
}

std::int32_t unregisterServer() {
    settingsKey key;
    key.createSettingsKey();
    // The emptied sub-key "3.0" stays, and with it the settings key.
    pruneOnExit prune(key);
    key.deleteSettingValue(registrationSubKey, registrationValue);
    return resultOk;
}

}  // namespace postsift
