#include <grp.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/test_process.h"

namespace postsift::platform {

bool changeEnvironment(const char* name, const char* value) {
    return (value != nullptr ? setenv(name, value, 1) : unsetenv(name)) == 0;
}

bool dropAdministratorRights() {
    if (geteuid() != 0) return true;
    // The conventional unprivileged user and group.
    const gid_t nobodyGroup = 65534;
    const uid_t nobody = 65534;
    if (setgroups(0, nullptr) != 0 || setgid(nobodyGroup) != 0 || setuid(nobody) != 0) return false;
    return geteuid() != 0;
}

}  // namespace postsift::platform
