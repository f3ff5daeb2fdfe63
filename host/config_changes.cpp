#include "config_changes.h"

namespace postsift::host {

bool applyChanges(pluginSession& session, const filterOptions& options, std::string& error) {
    for (const configChange& change : options.changes) {
        const std::string key = toPluginText(change.key, options.encoding);
        const std::string value = toPluginText(change.value, options.encoding);
        const int result = session.update(key, change.remove ? nullptr : &value);
        if (result == 0) continue;
        if (change.remove) {
            error = "the plug-in refused --unset " + change.key + " (answer " + std::to_string(result) +
                    "): it holds no such entry";
        } else {
            error = "the plug-in refused --set " + change.key + "=" + change.value + " (answer " +
                    std::to_string(result) + ")";
            if (!change.key.empty() && change.key[0] == '[') {
                error += ": a bracketed name that is already defined keeps its value until "
                         "--unset " + change.key + " comes first";
            }
        }
        return false;
    }
    return true;
}

}  // namespace postsift::host
