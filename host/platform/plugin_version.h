#pragma once
#include <string>

namespace postsift::platform {

// The version that a plug-in file carries, read from the file without
// loading it: on Windows the file version of its version resource
// ("1.0.0"), elsewhere what its soname says after ".so." ("1" for
// postsift.so.1). Empty when the file has none or cannot be read.
std::string pluginFileVersion(const std::string& path);

// What registering a plug-in needs here, for the message when it failed.
const char* registrationNeeds();

}  // namespace postsift::platform
