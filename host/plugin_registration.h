#pragma once
#include <string>

namespace postsift::host {

// What --register and --unregister do: load the plug-in file, resolve its
// exports as an engine does and call its own DllRegisterServer or
// DllUnregisterServer, as regsvr32 does. False, with `error` saying why,
// when the plug-in cannot be loaded, lacks an export or answers a failure.
bool registerPlugin(const std::string& path, bool unregister, std::string& error);

}  // namespace postsift::host
