#pragma once
#include <string>

#include "filter_options.h"
#include "plugin_session.h"

namespace postsift::host {

// Applies --set and --unset in command-line order through _zelUpdateFilter,
// each key and value converted like a message. Stops at the first change
// that the plug-in refuses and says which one and why it may have.
bool applyChanges(pluginSession& session, const filterOptions& options, std::string& error);

}  // namespace postsift::host
