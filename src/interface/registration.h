#pragma once
#include <cstdint>

namespace postsift {

constexpr std::int32_t resultOk = 0;
constexpr std::int32_t resultFail = static_cast<std::int32_t>(0x80004005u);

// Publish and withdraw the library's path in the settings key.
std::int32_t registerServer();
std::int32_t unregisterServer();

}  // namespace postsift
