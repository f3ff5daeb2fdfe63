#include <windows.h>

#include "platform/test_process.h"

namespace postsift::platform {

bool changeEnvironment(const char* name, const char* value) { return SetEnvironmentVariableA(name, value) != FALSE; }

bool dropAdministratorRights() { return false; }

}  // namespace postsift::platform
