// File names are UTF-8 inside the program. std::filesystem::path built from a
// plain std::string uses the ANSI code page on Windows, which loses Chinese
// names, so every conversion goes through these two functions.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kv12 {

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace kv12
