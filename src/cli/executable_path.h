// The full path of the running executable, found the way each platform
// offers: /proc/self/exe on Linux, GetModuleFileNameW on Windows.
#pragma once

#include <filesystem>
#include <string_view>

namespace kv12 {

/// The executable's own path. Where the platform cannot tell, argv0 made
/// absolute stands in.
std::filesystem::path ExecutablePath(std::string_view argv0);

}  // namespace kv12
