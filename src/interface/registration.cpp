#include "interface/registration.h"

// Placeholder until the settings key arrives: registration cannot be done yet.
namespace postsift {

std::int32_t registerServer() { return resultFail; }
std::int32_t unregisterServer() { return resultOk; }

}  // namespace postsift
