#pragma once

namespace postsift::platform {

// What the tests need of the process they run in; not part of the library.

// Sets an environment variable of this process (a null value removes it),
// where the library reads it.
bool changeEnvironment(const char* name, const char* value);

// Gives up the rights that let a process write where its user may not, so
// that file permissions hold for it. True when the process runs without
// them now; false where that cannot be had (Windows under wine, where every
// program is an administrator).
bool dropAdministratorRights();

}  // namespace postsift::platform
