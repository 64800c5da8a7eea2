#pragma once

#include <cstdint>

namespace nevalon::system {

// Launch flags of LaunchProgram; they combine with "|".
inline constexpr int64_t LaunchWait = 1;
inline constexpr int64_t LaunchKeepHandle = 4;
inline constexpr int64_t LaunchReadOutput = 8;
inline constexpr int64_t LaunchWriteInput = 16;
inline constexpr int64_t LaunchReadErrors = 32;
inline constexpr int64_t LaunchConnectInput = 64;

} // namespace nevalon::system
