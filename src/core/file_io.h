// Whole-file reads and atomic whole-file writes. A save writes a temporary file
// beside the target and then replaces the target with it, so a crash or a full
// disk leaves either the old file or the new one, never half of one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv12 {

struct FileError {
    std::string message;  // one line, names the file and the reason
    int code = 0;         // the system's error code (errno, or GetLastError on Windows), 0 if none
};

// The whole file, or nullopt when it cannot be opened (missing, a folder, no access).
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path);
std::optional<std::string> ReadFileText(const std::filesystem::path& path);

// Writes the bytes atomically. Returns an error description on failure; the
// target is then untouched.
std::optional<FileError> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace kv12
